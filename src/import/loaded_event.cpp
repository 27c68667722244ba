#include "import/loaded_event.h"

#include "convert/long_value.h"
#include "import/person_id.h"

namespace pointimport::import {

using convert::ToLong;
using convert::ToText;
using convert::Variant;

LoadedEvent ReadLoadedEvent(outside::LapComponent& component) {
  LoadedEvent loaded;
  const auto event = component.EventData();
  loaded.keyword = ToText(event->FileName());
  loaded.eventName = event->EventName();
  loaded.eventDate = event->EventDate();
  loaded.provisional = event->Provisional() == Variant(true);
  loaded.otherRaceResults = ToLong(event->OtherRaceResults());

  const auto holder = component.NewResultsHolder();
  const std::int32_t classCount = ToLong(component.ClassCount());
  for (std::int32_t i = 1; i <= classCount; ++i) {
    holder->Clear();
    holder->AddClass(i);
    const std::int32_t count = ToLong(holder->Count());
    for (std::int32_t j = 1; j <= count; ++j) {
      const auto result = holder->Item(j);
      ResultRowKey row{ToText(result->ClassName()), MakePersonId(ToText(result->RunnerName())),
                       ToText(result->Result())};
      if (row.personId.empty()) ++loaded.runnersWithoutName;
      loaded.rows.push_back(std::move(row));
    }
  }
  return loaded;
}

}  // namespace pointimport::import

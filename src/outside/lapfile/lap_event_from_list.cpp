#include "outside/lapfile/lap_event_from_list.h"

#include "outside/lapfile/class_ranking.h"

namespace pointimport::outside::lapfile {

LapEvent MakeLapEvent(ResultList list, const std::u16string& fileNameKeyword) {
  LapEvent event;
  event.keyword = list.eventId.empty() ? fileNameKeyword : list.eventId;
  event.name = std::move(list.eventName);
  event.date = list.eventDate;
  event.provisional = list.provisional;
  event.otherRaceResults = list.otherRaceResults;
  event.classes.reserve(list.classes.size());
  for (ClassResult& classResult : list.classes)
    event.classes.push_back(RankClassResult(std::move(classResult)));
  return event;
}

}  // namespace pointimport::outside::lapfile

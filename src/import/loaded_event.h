#pragma once

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "convert/variant.h"
#include "outside/lap_component.h"

namespace pointimport::import {

// One result row as the import would write it, by what tells runs apart:
// the class, the runner and the result.
struct ResultRowKey {
  std::u16string className;
  std::u16string personId;
  std::u16string result;
  friend bool operator==(const ResultRowKey&, const ResultRowKey&) = default;
  friend bool operator<(const ResultRowKey& a, const ResultRowKey& b) {
    return std::tie(a.className, a.personId, a.result) < std::tie(b.className, b.personId, b.result);
  }
};

// What the lap-file component holds, read without writing anything: what
// the checks before an import compare with the database and warn about.
struct LoadedEvent {
  std::u16string keyword;
  convert::Variant eventName;
  convert::Variant eventDate;
  bool provisional = false;
  std::int32_t otherRaceResults = 0;
  std::int32_t runnersWithoutName = 0;  // whose person ID would be empty
  std::vector<ResultRowKey> rows;       // in the order the import writes them
};

LoadedEvent ReadLoadedEvent(outside::LapComponent& component);

}  // namespace pointimport::import

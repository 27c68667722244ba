#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "outside/lap_event.h"

namespace pointimport::outside {

// What the readers of both IOF versions take from a result list, before the
// results of each class are ordered and turned into lap values.

// The statuses of both versions, grouped by how a result shows them.
enum class IofStatus {
  Ok,
  NotCompeting,
  Disqualified,  // MissingPunch / MisPunch, Disqualified
  DidNotFinish,  // DidNotFinish, SportingWithdrawal / SportWithdr
  OverTime,
  DidNotStart,  // DidNotStart, DidNotEnter
  NoResult,     // still running, moved, cancelled, missing or unknown
};

struct IofPersonResult {
  std::u16string runnerName;
  std::u16string clubName;
  std::u16string sex;
  IofStatus status = IofStatus::NoResult;
  std::optional<std::int32_t> seconds;   // whole seconds, when a time could be read
  std::optional<std::int32_t> position;  // the file's own place, when it gives one
};

struct IofClassResult {
  std::u16string name;
  std::vector<IofPersonResult> results;  // in document order
};

struct IofResultList {
  std::u16string eventId;  // empty when the file has none
  std::u16string eventName;
  std::optional<CalendarDate> eventDate;
  std::vector<IofClassResult> classes;
};

}  // namespace pointimport::outside

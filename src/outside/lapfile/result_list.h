#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "outside/lapfile/lap_event.h"

namespace pointimport::outside::lapfile {

// What every lap-file reader takes from a result list, whatever its format,
// before the results of each class are ordered and turned into lap values.

// The statuses that formats write, grouped by how a result shows them.
enum class ResultStatus {
  Ok,
  NotCompeting,
  Disqualified,  // MissingPunch / MisPunch, Disqualified
  DidNotFinish,  // DidNotFinish, SportingWithdrawal / SportWithdr
  OverTime,
  DidNotStart,  // DidNotStart, DidNotEnter
  NoResult,     // still running, moved, cancelled, missing or unknown
};

struct PersonResult {
  std::u16string runnerName;  // family name, one blank, given name(s): AppendNamePart
  std::u16string clubName;
  std::u16string sex;
  ResultStatus status = ResultStatus::NoResult;
  std::optional<std::int32_t> seconds;   // whole seconds, when a time could be read
  std::optional<std::int32_t> position;  // the file's own place, when it gives one
};

struct ClassResult {
  std::u16string name;
  std::vector<PersonResult> results;  // in document order
};

struct ResultList {
  std::u16string eventId;  // empty when the file has none
  std::u16string eventName;
  std::optional<CalendarDate> eventDate;
  bool provisional = false;  // the file says its results are not final
  // Results of a multi-race event's later races, which are not read.
  std::int32_t otherRaceResults = 0;
  std::vector<ClassResult> classes;
};

// Every format writes a runner's name the same way: the family name, then
// each given name after one blank; an empty part adds nothing.
inline void AppendNamePart(std::u16string& name, std::u16string_view part) {
  if (part.empty()) return;
  if (!name.empty()) name += u' ';
  name += part;
}

}  // namespace pointimport::outside::lapfile

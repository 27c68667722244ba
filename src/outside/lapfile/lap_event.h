#pragma once

#include <optional>
#include <string>
#include <vector>

#include "convert/variant.h"

namespace pointimport::outside::lapfile {

// What the lap-file component keeps of a loaded file: only the values its
// members hand out, already in the form and kind they are handed out in.

struct LapRunner {
  std::u16string runnerName;
  std::u16string clubName;
  std::u16string sex;       // "M", "F" or empty
  convert::Variant result;  // String: "H:MM:SS" or a status text
  convert::Variant rank;    // Long place, or String ("OP" or empty)
};

struct LapClass {
  std::u16string name;
  std::vector<LapRunner> runners;  // in ranking order
};

struct CalendarDate {
  int year;
  int month;
  int day;
};

struct LapEvent {
  std::u16string keyword;  // never empty: the event's Id, else the file name
  std::u16string name;
  std::optional<CalendarDate> date;   // a valid calendar date when present
  bool provisional = false;           // the file says its results are not final
  std::int32_t otherRaceResults = 0;  // results of later races, not read
  std::vector<LapClass> classes;
};

// The description the window shows, e.g.
// "2011/07/30 Example event（2 クラス・3 名）"; the date and the name are
// left out when the file has none.
std::u16string DescribeLapEvent(const LapEvent& event);

}  // namespace pointimport::outside::lapfile

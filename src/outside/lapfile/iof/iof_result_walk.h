#pragma once

#include <cstdint>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>

#include "outside/lapfile/result_list.h"

namespace pointimport::outside::lapfile::iof {

// What tells the two IOF versions' result lists apart: the names of the
// elements that differ, and how their values are read. Both are walked by
// the one reader below.
struct IofVersionNames {
  std::string_view rootEventId;   // an event Id beside the Event, or empty
  std::string_view eventId;       // inside the Event
  std::string_view eventStart;    // holding the event's Date
  std::string_view organisation;  // a runner's club
  std::string_view personName;    // holding Family and Given
  std::string_view position;      // inside the Result
  std::string_view status;        // inside the Result
  bool statusInValue;             // the status token is the value attribute, not the text
  bool racesNumbered;             // a Result may carry a raceNumber
  std::optional<std::int32_t> (*parseTime)(std::string_view text);
  // The class element of a ClassResult, and the class's name.
  pugi::xml_node (*classElement)(pugi::xml_node classResult);
  std::u16string (*className)(pugi::xml_node classResult, pugi::xml_node classElement);
};

// IOF XML 3.0 and 2.0.3.
extern const IofVersionNames kIof3Names;
extern const IofVersionNames kIof2Names;

// Reads a ResultList element: the event, and of every class the
// PersonResult elements that are its own children (relay teams are left
// out). Of a multi-race event each person's first-race Result is read (the
// one with raceNumber 1 or none); a person without a Result is left out.
ResultList ReadIofResultListElement(pugi::xml_node resultList, const IofVersionNames& names);

}  // namespace pointimport::outside::lapfile::iof

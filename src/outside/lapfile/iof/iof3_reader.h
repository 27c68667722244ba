#pragma once

#include <pugixml.hpp>

#include "outside/lapfile/result_list.h"

namespace pointimport::outside::lapfile::iof {

// Reads an IOF XML 3.0 ResultList element: the event, and of every class
// the PersonResult elements that are its own children (relay teams are left
// out). Of a multi-race event each person's first-race Result is read (the
// one with raceNumber 1 or none); a person without one is left out.
ResultList ReadIof3ResultList(pugi::xml_node resultList);

}  // namespace pointimport::outside::lapfile::iof

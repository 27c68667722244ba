#pragma once

#include <pugixml.hpp>

#include "outside/lapfile/result_list.h"

namespace pointimport::outside::lapfile::iof {

// Reads an IOF XML 2.0.3 ResultList element: the event, and of every class
// the PersonResult elements that are its own children; relay teams
// (TeamResult, which holds PersonResults of its own) are left out. Each
// person's Result is read, not those of its RaceResults.
ResultList ReadIof2ResultList(pugi::xml_node resultList);

}  // namespace pointimport::outside::lapfile::iof

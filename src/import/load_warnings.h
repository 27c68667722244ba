#pragma once

#include <string>
#include <vector>

#include "import/loaded_event.h"

namespace pointimport::import {

// What the operator should know about a loaded file before importing it,
// one sentence each: runners without a name (all stored under one empty
// person ID), a provisional list, results of later races that are left
// out, a file without results, an event without a date.
std::vector<std::u16string> LoadWarnings(const LoadedEvent& loaded);

}  // namespace pointimport::import

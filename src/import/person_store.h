#pragma once

#include <cstdint>
#include <string>

#include "import/failure_lines.h"
#include "outside/connection.h"
#include "outside/lap_component.h"

namespace pointimport::import {

// Brings the runner's PERSON row up to date and returns the person ID.
//
// A stored person keeps the stored name, club and sex; the lap file only
// fills those that are empty. The look-up is not trapped: its failure stops
// the run. A rejected write adds a failure line and leaves the row as it
// was; the ID is returned all the same.
std::u16string StorePerson(outside::Connection& connection, outside::LapComponent& component,
                           outside::LapResult& result, std::int32_t classNumber, FailureLines& failures);

}  // namespace pointimport::import

#pragma once

#include <string>
#include <vector>

#include "outside/lapfile/lap_event.h"

namespace pointimport::test_support {

// "runner name|result|rank" per runner of a class, in its order; a rank
// that is text is quoted, so that a Long place and a text are told apart.
std::vector<std::string> LapRows(const outside::lapfile::LapClass& lapClass);

}  // namespace pointimport::test_support

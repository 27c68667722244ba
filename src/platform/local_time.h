#pragma once

#include <ctime>

namespace pointimport::platform {

// The moment in the local time zone; thread-safe, unlike std::localtime.
std::tm LocalTime(std::time_t when);

}  // namespace pointimport::platform

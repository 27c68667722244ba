#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "outside/lapfile/lap_event.h"
#include "outside/lapfile/result_list.h"

namespace pointimport::outside::lapfile {

// Readings of the value texts of IOF result lists. Each takes the element's
// UTF-8 text, ignores surrounding XML white space, and gives nothing for a
// text it cannot read, so that an odd value never stops a load.

// A status token of either version: 3.0 Status text or 2.0.3
// CompetitorStatus value. Unknown tokens are NoResult.
ResultStatus ParseIofStatus(std::string_view token);

// A 3.0 Time: seconds as a decimal number, fractions allowed; the fraction
// of a second is dropped.
std::optional<std::int32_t> ParseIof3Seconds(std::string_view text);

// A 2.0.3 Time, whatever its timeFormat attribute says: "H:MM:SS", or
// "M:SS" where the minutes may exceed 59; a fraction of a second on the last
// field is dropped.
std::optional<std::int32_t> ParseIof2Time(std::string_view text);

// A place: a whole number from 1. A tie may be written with a trailing "="
// ("1=" is place 1), as results software marks shared places.
std::optional<std::int32_t> ParsePlace(std::string_view text);

// A date "YYYY-MM-DD", optionally followed by a time zone or a time of day
// as dates written by the two versions' software are; only existing
// calendar dates are read.
std::optional<CalendarDate> ParseIofDate(std::string_view text);

// Whole seconds as "H:MM:SS".
std::u16string FormatRaceTime(std::int32_t seconds);

}  // namespace pointimport::outside::lapfile

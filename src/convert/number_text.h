#pragma once

#include <cstdint>
#include <string>

namespace pointimport::convert {

std::u16string FormatInteger(std::int64_t value);
void AppendInteger(std::int64_t value, std::u16string& out);

// A double rounded to 15 significant digits, without trailing zeros or a
// bare decimal point, "." as the point, no grouping. Magnitudes from 1e-5 up
// to 1e15 are written without an exponent; outside that range as
// "d.ddde+XX", which SQLite reads back as the same value. Negative zero is
// "0". NaN and the infinities raise an overflow error.
std::u16string FormatDouble(double value);
void AppendDouble(double value, std::u16string& out);

}  // namespace pointimport::convert

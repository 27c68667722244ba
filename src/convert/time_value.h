#pragma once

#include <optional>
#include <string_view>

namespace pointimport::convert {

// The date number of a text that is a date, a time of day or both; nothing
// when it is neither. Recognition and conversion are this one routine, so
// they cannot disagree. The text is read as it stands (no width folding).
// The accepted shapes are listed beside the definition.
std::optional<double> RecogniseDateTime(std::u16string_view text);

// A result text as a date number: the text folded to ASCII width, then read
// by RecogniseDateTime; defaultValue when it is no date or time.
double ParseTimeValue(std::u16string_view text, double defaultValue);

}  // namespace pointimport::convert

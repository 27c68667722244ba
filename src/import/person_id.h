#pragma once

#include <string>
#include <string_view>

namespace pointimport::import {

// The text without any U+0020, U+3000 or U+0000.
std::u16string RemoveBlanks(std::u16string_view text);

// The person ID under which a runner is stored: blanks removed, variant
// characters unified, widened and upper-cased, cut before the first opening
// bracket. These rules are part of the stored data and never change.
std::u16string MakePersonId(std::u16string_view runnerName);

}  // namespace pointimport::import

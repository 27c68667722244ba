#pragma once

#include <string>
#include <string_view>

namespace pointimport::convert {

// Folds full-width letters, digits, the ideographic space and full-width
// symbols to ASCII, each under its own switch, and changes the case of Latin
// letters. The result has exactly as many code units as text.
std::u16string FoldCharWidth(std::u16string_view text, bool foldLetters, bool foldDigits, bool foldSpace,
                             bool foldSymbols, bool toUpper, bool toLower);

}  // namespace pointimport::convert

#pragma once

#include <string_view>

namespace pointimport::convert {

// Case-insensitive comparison of ASCII letters only, as SQL keywords, column
// names and connection-string keys are compared; every other code unit must
// match exactly.
inline char16_t AsciiUpper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 0x20) : c; }

inline bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

// The same for UTF-8 text, whose bytes of other characters never fall
// among the ASCII letters.
inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(static_cast<unsigned char>(a[i])) != AsciiUpper(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

}  // namespace pointimport::convert

#pragma once

#include <string>

namespace pointimport::main {

// The C0 controls, DEL and the C1 controls: characters that drive a terminal
// or that a page cannot show, whatever their source.
constexpr bool IsControlCharacter(char16_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

// Appends a control character the way people are shown one: "\xHH", HH being
// its code in two lower-case hex digits.
inline void AppendShownControl(std::u16string& out, char16_t c) {
  static constexpr char16_t kHex[] = u"0123456789abcdef";
  out += u"\\x";
  out += kHex[(c >> 4) & 0xF];
  out += kHex[c & 0xF];
}

}  // namespace pointimport::main

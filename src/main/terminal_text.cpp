#include "main/terminal_text.h"

#include "convert/utf.h"
#include "main/control_character.h"

namespace pointimport::main {

std::string TerminalText(std::u16string_view text) {
  std::u16string shown;
  shown.reserve(text.size());
  for (char16_t c : text) {
    if (IsControlCharacter(c) && c != u'\t') {
      static constexpr char16_t kHex[] = u"0123456789abcdef";
      shown += u"\\x";
      shown += kHex[c >> 4];
      shown += kHex[c & 0xF];
    } else {
      shown += c;
    }
  }
  return convert::Utf16ToUtf8(shown);
}

}  // namespace pointimport::main

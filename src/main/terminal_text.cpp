#include "main/terminal_text.h"

#include "convert/utf.h"
#include "main/control_character.h"

namespace pointimport::main {

std::string TerminalText(std::u16string_view text) {
  std::u16string shown;
  shown.reserve(text.size());
  for (char16_t c : text) {
    if (IsControlCharacter(c) && c != u'\t') {
      AppendShownControl(shown, c);
    } else {
      shown += c;
    }
  }
  return convert::Utf16ToUtf8(shown);
}

}  // namespace pointimport::main

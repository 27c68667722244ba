#pragma once

#include <string>
#include <string_view>

namespace pointimport::main {

// Text for a terminal, as UTF-8: every control character but tab (C0, DEL,
// C1) is shown as "\xHH", HH being its code in two lower-case hex digits
// (ESC as "\x1b", a line break inside a value as "\x0a"), so that no value
// from a lap file or the database can move the cursor, recolour or clear the
// screen, or break a line of the output.
std::string TerminalText(std::u16string_view text);

}  // namespace pointimport::main

#pragma once

namespace pointimport::main {

// The C0 controls, DEL and the C1 controls: characters that drive a terminal
// or that a page cannot show, whatever their source.
constexpr bool IsControlCharacter(char16_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

}  // namespace pointimport::main

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pointimport::outside::access {

// The text of a Jet 4 or ACE text value from its stored bytes: UTF-16LE,
// or, after the marker FF FE, the compressed form in which each byte is one
// character up to U+00FF and a NUL byte switches between single bytes and
// UTF-16LE pairs. Surrogate pairs come through whole. Nothing when the bytes
// end inside a character.
std::optional<std::u16string> DecodeStoredText(std::string_view bytes);

}  // namespace pointimport::outside::access

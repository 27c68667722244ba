#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pointimport::outside::lapfile {

// The text a file name's own bytes stand for: the bytes read as UTF-8 when
// they are, else as CP932 when they are that (zip archives made on Japanese
// Windows unpack to CP932 names, and Windows shows the same archive so);
// nothing when they are neither, as then no reading of them can be trusted
// to tell two names apart.
std::optional<std::u16string> FileNameText(std::string_view nativeBytes);

// A path as a person should read it: each of its names as FileNameText
// reads it, and a name it cannot read with each byte that is no UTF-8
// written as \xHH, so that no replacement character stands for it.
std::u16string ShownPath(std::u16string_view path);

}  // namespace pointimport::outside::lapfile

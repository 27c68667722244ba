#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pointimport::outside::lapfile {

enum class IconvStatus {
  Converted,
  UnknownCharset,   // iconv has no converter from it
  InvalidSequence,  // a byte sequence the charset does not have
  CutShort,         // the bytes end inside a character
};

struct IconvResult {
  IconvStatus status;
  std::string utf8;         // when Converted
  std::size_t errorOffset;  // where the bad bytes begin, when not Converted
};

// Converts bytes in a charset that the C library's iconv knows to UTF-8.
// Nothing is dropped or replaced: any byte sequence the charset does not
// have makes the whole conversion fail.
IconvResult ConvertToUtf8(std::string_view bytes, const char* charset);

}  // namespace pointimport::outside::lapfile

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pointimport::platform {

enum class LegacyTextStatus {
  Converted,
  UnknownCharset,   // the system has no converter from it
  InvalidSequence,  // a byte sequence the charset does not have
  CutShort,         // the bytes end inside a character
};

struct LegacyTextResult {
  LegacyTextStatus status;
  std::string utf8;         // when Converted
  std::size_t errorOffset;  // where the bad bytes begin, when not Converted
};

// Converts bytes in a legacy charset (named as the C library's iconv names
// it: "CP932", "EUC-JP", "WINDOWS-1252", ...) to UTF-8, through the system's
// own tables. Nothing is dropped or replaced: any byte sequence the charset
// does not have makes the whole conversion fail.
LegacyTextResult ConvertToUtf8(std::string_view bytes, const char* charset);

}  // namespace pointimport::platform

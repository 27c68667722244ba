#pragma once

#include <string>

namespace pointimport::outside::lapfile::csv {

struct CsvDecodeResult {
  bool decoded;
  std::u16string reason;  // why, when not decoded
  std::string utf8;       // the text without its byte-order mark, when decoded
};

// Converts the bytes of a CSV file to UTF-8. CSV declares no encoding, so it
// is told from the bytes: a byte-order mark decides (UTF-8, UTF-16LE,
// UTF-16BE); else UTF-8 when every byte is valid UTF-8; else CP932, which
// Japanese Windows software writes, when every byte is valid CP932; else
// Windows-1252. A byte that is none of these fails the whole file with its
// offset: nothing is ever dropped or replaced.
CsvDecodeResult DecodeCsvBytes(std::string bytes);

}  // namespace pointimport::outside::lapfile::csv

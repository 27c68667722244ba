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
// UTF-16BE); else UTF-8 when every byte is valid UTF-8, or when the bytes
// hold as many well-formed UTF-8 characters of several bytes as bytes that
// are not UTF-8 (a UTF-8 file with a fault, which fails); else CP932, which
// Japanese Windows software writes, when every byte is valid CP932; else
// Windows-1252. A file that fails is refused with the first bad byte, its
// line and offset, in the encoding it most likely is: nothing is ever
// dropped or replaced.
CsvDecodeResult DecodeCsvBytes(std::string bytes);

}  // namespace pointimport::outside::lapfile::csv

#pragma once

#include <string>

namespace pointimport::outside::lapfile::xml {

enum class XmlDecodeStatus {
  Decoded,
  UnknownEncoding,  // a byte-order mark or declared encoding that is not read
  InvalidBytes,     // bytes that are not text in the document's encoding
};

struct XmlDecodeResult {
  XmlDecodeStatus status;
  std::u16string reason;  // why, when not Decoded
  std::string encoding;   // the encoding the bytes were read in, e.g. "CP932"
  std::string utf8;       // the document without its byte-order mark, when Decoded
};

// Finds an XML document's encoding and converts the document to UTF-8.
//
// A byte-order mark decides first (UTF-8, UTF-16LE, UTF-16BE); else the
// XML declaration's encoding: UTF-8 (also when none is declared),
// ISO-8859-1, Shift_JIS, CP932 / Windows-31J or EUC-JP. Any other encoding,
// and any byte sequence that is invalid in the encoding, fails: nothing is
// ever dropped or replaced.
XmlDecodeResult DecodeXmlDocument(std::string bytes);

}  // namespace pointimport::outside::lapfile::xml

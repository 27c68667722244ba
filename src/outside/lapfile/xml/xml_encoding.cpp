#include "outside/lapfile/xml/xml_encoding.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "convert/utf.h"
#include "outside/lapfile/xml/xml_space.h"
#include "platform/legacy_text.h"

namespace pointimport::outside::lapfile::xml {

using convert::Utf8ToUtf16;

namespace {

constexpr std::string_view kUtf8 = "UTF-8";

struct ByteOrderMark {
  std::string_view bytes;
  std::string_view encoding;  // empty: a mark of an encoding that is not read
};

// The UTF-32 marks come first: FF FE 00 00 also begins with the UTF-16LE
// mark. U+0000 cannot stand in XML, so it is never UTF-16LE text.
constexpr ByteOrderMark kByteOrderMarks[] = {
    {std::string_view("\x00\x00\xFE\xFF", 4), ""},  // UTF-32BE
    {std::string_view("\xFF\xFE\x00\x00", 4), ""},  // UTF-32LE
    {"\xEF\xBB\xBF", kUtf8},
    {"\xFF\xFE", "UTF-16LE"},
    {"\xFE\xFF", "UTF-16BE"},
};

struct DeclaredName {
  std::string_view name;     // upper case, as declared names are compared
  std::string_view charset;  // the iconv charset the document is read in
};

// Shift_JIS is read as CP932, its superset: Japanese Windows software
// writes CP932, with the NEC and IBM extensions (① 0x8740, 髙 0xFBFC), and
// declares it Shift_JIS. The C library's strict Shift_JIS would also read
// 0x5C as ¥ and 0x7E as ‾, where those files mean \ and ~.
constexpr DeclaredName kDeclaredNames[] = {
    {"UTF-8", kUtf8},
    {"UTF8", kUtf8},
    {"ISO-8859-1", "ISO-8859-1"},
    {"ISO_8859-1", "ISO-8859-1"},
    {"ISO8859-1", "ISO-8859-1"},
    {"LATIN1", "ISO-8859-1"},
    {"SHIFT_JIS", "CP932"},
    {"SHIFT-JIS", "CP932"},
    {"SJIS", "CP932"},
    {"X-SJIS", "CP932"},
    {"MS_KANJI", "CP932"},
    {"CSSHIFTJIS", "CP932"},
    {"CP932", "CP932"},
    {"WINDOWS-31J", "CP932"},
    {"MS932", "CP932"},
    {"CSWINDOWS31J", "CP932"},
    {"EUC-JP", "EUC-JP"},
    {"EUCJP", "EUC-JP"},
    {"X-EUC-JP", "EUC-JP"},
};

std::string ToUpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

// The encoding named in the XML declaration: nothing when there is no
// declaration or it names none; the text as written otherwise, and empty
// text when the pseudo-attribute cannot be read.
std::optional<std::string> DeclaredEncoding(std::string_view document) {
  std::size_t i = 0;
  while (i < document.size() && IsXmlSpace(document[i])) ++i;
  document.remove_prefix(i);
  if (document.substr(0, 5) != "<?xml" || document.size() < 6 || !IsXmlSpace(document[5])) return std::nullopt;
  const std::string_view declaration = document.substr(0, document.find("?>"));
  std::size_t at = declaration.find("encoding");
  if (at == std::string_view::npos) return std::nullopt;
  at += 8;
  while (at < declaration.size() && IsXmlSpace(declaration[at])) ++at;
  if (at >= declaration.size() || declaration[at] != '=') return std::string();
  ++at;
  while (at < declaration.size() && IsXmlSpace(declaration[at])) ++at;
  if (at >= declaration.size() || (declaration[at] != '"' && declaration[at] != '\'')) return std::string();
  const std::size_t close = declaration.find(declaration[at], at + 1);
  if (close == std::string_view::npos) return std::string();
  return std::string(declaration.substr(at + 1, close - at - 1));
}

XmlDecodeResult Unknown(std::string_view encoding) {
  return {XmlDecodeStatus::UnknownEncoding,
          u"対応していない文字コードです: " + Utf8ToUtf16(encoding.empty() ? "(不明)" : encoding),
          std::string(encoding),
          {}};
}

// The line of a byte offset: line feeds are counted as the encoding writes
// them, one code unit wide in UTF-16.
std::size_t LineOf(std::string_view bytes, std::size_t offset, std::string_view charset) {
  offset = std::min(offset, bytes.size());
  std::size_t line = 1;
  if (charset == "UTF-16LE" || charset == "UTF-16BE") {
    const std::size_t low = charset == "UTF-16LE" ? 0 : 1;
    for (std::size_t i = 0; i + 1 < offset; i += 2) {
      if (bytes[i + low] == '\n' && bytes[i + 1 - low] == '\0') ++line;
    }
    return line;
  }
  // No multi-byte character of the encodings read holds the byte 0x0A.
  for (std::size_t i = 0; i < offset; ++i) line += bytes[i] == '\n';
  return line;
}

// shownName is the encoding as the document names it (e.g. "Shift_JIS"),
// or as its byte-order mark does.
XmlDecodeResult Invalid(std::string_view shownName, std::string_view charset, std::string_view bytes,
                        std::size_t offset) {
  std::u16string reason = Utf8ToUtf16(shownName) + u" として正しくないバイトがあります (行 " +
                          Utf8ToUtf16(std::to_string(LineOf(bytes, offset, charset))) + u"、位置 " +
                          Utf8ToUtf16(std::to_string(offset)) + u" バイト目)";
  return {XmlDecodeStatus::InvalidBytes, std::move(reason), std::string(charset), {}};
}

XmlDecodeResult Decode(std::string bytes, std::size_t markLength, std::string_view charset,
                       std::string_view shownName) {
  if (charset == kUtf8) {
    if (const std::size_t bad = convert::FirstInvalidUtf8(std::string_view(bytes).substr(markLength));
        bad != bytes.size() - markLength) {
      return Invalid(shownName, charset, bytes, markLength + bad);
    }
    bytes.erase(0, markLength);
    return {XmlDecodeStatus::Decoded, {}, std::string(charset), std::move(bytes)};
  }
  const std::string name(charset);
  platform::LegacyTextResult converted =
      platform::ConvertToUtf8(std::string_view(bytes).substr(markLength), name.c_str());
  switch (converted.status) {
    case platform::LegacyTextStatus::Converted:
      return {XmlDecodeStatus::Decoded, {}, name, std::move(converted.utf8)};
    case platform::LegacyTextStatus::UnknownCharset:
      return Unknown(shownName);
    case platform::LegacyTextStatus::InvalidSequence:
    case platform::LegacyTextStatus::CutShort:
      break;
  }
  return Invalid(shownName, charset, bytes, markLength + converted.errorOffset);
}

}  // namespace

XmlDecodeResult DecodeXmlDocument(std::string bytes) {
  for (const ByteOrderMark& mark : kByteOrderMarks) {
    if (std::string_view(bytes).substr(0, mark.bytes.size()) != mark.bytes) continue;
    if (mark.encoding.empty()) return Unknown("UTF-32");
    return Decode(std::move(bytes), mark.bytes.size(), mark.encoding, mark.encoding);
  }
  const std::optional<std::string> declared = DeclaredEncoding(bytes);
  if (!declared) return Decode(std::move(bytes), 0, kUtf8, kUtf8);
  const std::string upper = ToUpperAscii(*declared);
  for (const DeclaredName& known : kDeclaredNames) {
    if (upper == known.name) return Decode(std::move(bytes), 0, known.charset, *declared);
  }
  return Unknown(*declared);
}

}  // namespace pointimport::outside::lapfile::xml

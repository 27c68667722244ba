#include "outside/lapfile/csv/csv_encoding.h"

#include <cstdio>
#include <string_view>

#include "convert/utf.h"
#include "platform/legacy_text.h"

namespace pointimport::outside::lapfile::csv {

using convert::Utf8ToUtf16;

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

std::u16string Number(std::size_t value) { return Utf8ToUtf16(std::to_string(value)); }

// The byte as the reason shows it, e.g. "0x81".
std::u16string Byte(char byte) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned char>(byte));
  return Utf8ToUtf16(text);
}

// " (行 3、位置 120 バイト目)": a line ends at CR LF, LF or CR, as the
// records do. Code units are unitBytes wide, the low byte of a UTF-16 unit
// at lowByte; no multi-byte character of the other encodings read holds
// the byte of CR or LF.
std::u16string Where(std::string_view bytes, std::size_t offset, std::size_t unitBytes = 1,
                     std::size_t lowByte = 0) {
  std::size_t line = 1;
  const auto unitAt = [&](std::size_t at) -> char {
    if (at + unitBytes > bytes.size()) return '\0';
    return unitBytes == 1 || bytes[at + 1 - lowByte] == '\0' ? bytes[at + lowByte] : '\0';
  };
  for (std::size_t at = 0; at + unitBytes <= offset; at += unitBytes) {
    const char unit = unitAt(at);
    line += unit == '\n' || (unit == '\r' && unitAt(at + unitBytes) != '\n');
  }
  return u" (行 " + Number(line) + u"、位置 " + Number(offset) + u" バイト目)";
}

CsvDecodeResult Decoded(std::string utf8) { return {true, {}, std::move(utf8)}; }

CsvDecodeResult Failed(std::u16string reason) { return {false, std::move(reason), {}}; }

CsvDecodeResult InvalidUtf8(std::string_view bytes, std::size_t offset) {
  return Failed(u"UTF-8 として正しくないバイト " + Byte(bytes[offset]) + u" があります" + Where(bytes, offset));
}

// UTF-16 after its byte-order mark, which names the byte order for certain.
CsvDecodeResult DecodeUtf16(std::string_view bytes, std::string_view mark, const char* charset) {
  platform::LegacyTextResult converted = platform::ConvertToUtf8(bytes.substr(mark.size()), charset);
  if (converted.status == platform::LegacyTextStatus::Converted) return Decoded(std::move(converted.utf8));
  const std::size_t offset = mark.size() + converted.errorOffset;
  return Failed(Utf8ToUtf16(charset) + u" として正しくないバイトがあります" +
                Where(bytes, offset, 2, mark == kUtf16LeMark ? 0 : 1));
}

// Written in UTF-8 with a fault, rather than in another encoding: no fewer
// well-formed characters of several bytes than bytes that are none. Text in
// CP932 or Windows-1252 forms such characters only by chance (half-width
// katakana ﾃｽ are C3 BD, é in UTF-8), and far fewer than bytes that are
// none of UTF-8; a file saved in UTF-8 and then given one stray byte holds
// many and one.
bool IsFaultyUtf8(std::string_view bytes) {
  const convert::Utf8Tally tally = convert::TallyUtf8(bytes);
  return tally.multiByteCharacters > 0 && tally.multiByteCharacters >= tally.invalidSequences;
}

}  // namespace

CsvDecodeResult DecodeCsvBytes(std::string bytes) {
  if (bytes.starts_with(kUtf8Mark)) {
    const std::size_t bad = kUtf8Mark.size() + convert::FirstInvalidUtf8(std::string_view(bytes).substr(3));
    if (bad != bytes.size()) return InvalidUtf8(bytes, bad);
    bytes.erase(0, kUtf8Mark.size());
    return Decoded(std::move(bytes));
  }
  if (bytes.starts_with(kUtf16LeMark)) return DecodeUtf16(bytes, kUtf16LeMark, "UTF-16LE");
  if (bytes.starts_with(kUtf16BeMark)) return DecodeUtf16(bytes, kUtf16BeMark, "UTF-16BE");
  const std::size_t badUtf8 = convert::FirstInvalidUtf8(bytes);
  if (badUtf8 == bytes.size()) return Decoded(std::move(bytes));
  if (IsFaultyUtf8(bytes)) return InvalidUtf8(bytes, badUtf8);
  platform::LegacyTextResult cp932 = platform::ConvertToUtf8(bytes, "CP932");
  if (cp932.status == platform::LegacyTextStatus::Converted) return Decoded(std::move(cp932.utf8));
  platform::LegacyTextResult latin = platform::ConvertToUtf8(bytes, "WINDOWS-1252");
  if (latin.status == platform::LegacyTextStatus::Converted) return Decoded(std::move(latin.utf8));
  // The file is most likely in the encoding that reads further: the other
  // fails at the first of its own bytes that it lacks, often a sound one.
  const bool likelyCp932 = cp932.errorOffset >= latin.errorOffset;
  const std::size_t offset = likelyCp932 ? cp932.errorOffset : latin.errorOffset;
  return Failed(
      u"文字コードを判定できません: UTF-8 でも " +
      std::u16string(likelyCp932 ? u"Windows-1252 でもなく、CP932" : u"CP932 でもなく、Windows-1252") +
      u" として正しくないバイト " + Byte(bytes[offset]) + u" があります" + Where(bytes, offset));
}

}  // namespace pointimport::outside::lapfile::csv

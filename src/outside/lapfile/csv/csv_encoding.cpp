#include "outside/lapfile/csv/csv_encoding.h"

#include <cstdio>
#include <string_view>

#include "convert/utf.h"
#include "outside/lapfile/iconv_to_utf8.h"

namespace pointimport::outside::lapfile::csv {

using convert::Utf8ToUtf16;

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

std::u16string AtOffset(std::size_t offset) { return u" (位置 " + Utf8ToUtf16(std::to_string(offset)) + u")"; }

CsvDecodeResult Decoded(std::string utf8) { return {true, {}, std::move(utf8)}; }

CsvDecodeResult Invalid(std::string_view charset, std::size_t offset) {
  return {
      false, Utf8ToUtf16(std::string(charset)) + u" として正しくないバイトがあります" + AtOffset(offset), {}};
}

// UTF-16 after its byte-order mark, which names the byte order for certain.
CsvDecodeResult DecodeUtf16(std::string_view bytes, std::string_view mark, const char* charset) {
  IconvResult converted = ConvertToUtf8(bytes.substr(mark.size()), charset);
  if (converted.status == IconvStatus::Converted) return Decoded(std::move(converted.utf8));
  return Invalid(charset, mark.size() + converted.errorOffset);
}

}  // namespace

CsvDecodeResult DecodeCsvBytes(std::string bytes) {
  if (bytes.starts_with(kUtf8Mark)) {
    bytes.erase(0, kUtf8Mark.size());
    const std::size_t bad = convert::FirstInvalidUtf8(bytes);
    if (bad == bytes.size()) return Decoded(std::move(bytes));
    return Invalid("UTF-8", kUtf8Mark.size() + bad);
  }
  if (bytes.starts_with(kUtf16LeMark)) return DecodeUtf16(bytes, kUtf16LeMark, "UTF-16LE");
  if (bytes.starts_with(kUtf16BeMark)) return DecodeUtf16(bytes, kUtf16BeMark, "UTF-16BE");
  if (convert::IsValidUtf8(bytes)) return Decoded(std::move(bytes));
  if (IconvResult cp932 = ConvertToUtf8(bytes, "CP932"); cp932.status == IconvStatus::Converted) {
    return Decoded(std::move(cp932.utf8));
  }
  IconvResult latin = ConvertToUtf8(bytes, "WINDOWS-1252");
  if (latin.status == IconvStatus::Converted) return Decoded(std::move(latin.utf8));
  // Windows-1252 leaves five bytes undefined; one of them ends every guess.
  char byte[8];
  std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned char>(bytes[latin.errorOffset]));
  return {false,
          u"文字コードを判定できません: UTF-8 でも CP932 でもなく、Windows-1252 にないバイト " +
              Utf8ToUtf16(byte) + u" があります" + AtOffset(latin.errorOffset),
          {}};
}

}  // namespace pointimport::outside::lapfile::csv

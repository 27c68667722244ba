#include "platform/legacy_text.h"

#include <gtest/gtest.h>
#include <iconv.h>

namespace pointimport::platform {
namespace {

using namespace std::string_literals;

// The conversion copies ASCII runs of these charsets without iconv: iconv
// itself must read every ASCII byte as that character.
TEST(ConvertToUtf8, AsciiCompatibleCharsetsReadEveryAsciiByteAsItself) {
  std::string ascii(128, '\0');
  for (int b = 0; b < 128; ++b) ascii[b] = static_cast<char>(b);
  for (const char* charset : {"CP932", "EUC-JP", "ISO-8859-1"}) {
    const iconv_t cd = iconv_open("UTF-8", charset);
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1)) << charset;
    std::string out(ascii.size(), '\0');
    char* in = ascii.data();
    char* outPosition = out.data();
    std::size_t inLeft = ascii.size(), outLeft = out.size();
    EXPECT_EQ(iconv(cd, &in, &inLeft, &outPosition, &outLeft), 0u) << charset;
    EXPECT_EQ(inLeft, 0u) << charset;
    EXPECT_EQ(out, ascii) << charset;
    iconv_close(cd);
  }
}

TEST(ConvertToUtf8, ConvertsOrTellsWhereTheBadBytesBegin) {
  const struct {
    const char* charset;
    std::string bytes;
    LegacyTextStatus status;
    std::string utf8;
    std::size_t errorOffset;
  } cases[] = {
      {"CP932", "a\x82\xA0 b\x87\x40<c>\xB1\x5C~", LegacyTextStatus::Converted,
       "a\xE3\x81\x82 b\xE2\x91\xA0<c>\xEF\xBD\xB1\\~", 0},
      {"ISO-8859-1", "Gr\xF8n<a>\xFF", LegacyTextStatus::Converted, "Gr\xC3\xB8n<a>\xC3\xBF", 0},
      {"CP932", "<a>abc\x82", LegacyTextStatus::CutShort, "", 6},
      // A lead byte before the '<' that ends a stretch of text.
      {"CP932", "<a>abc\x82</a>", LegacyTextStatus::InvalidSequence, "", 6},
      {"CP932", "<a>\x8E\x52 x\x85\x40</a>", LegacyTextStatus::InvalidSequence, "", 7},
      {"EUC-JP", "ab\xBB\xB3yz\xBB", LegacyTextStatus::CutShort, "", 6},
      {"EUC-JP", "ab\xBB\xB3yz\xBB<", LegacyTextStatus::InvalidSequence, "", 6},
      {"UTF-16LE", "a\0\0\xD8"s, LegacyTextStatus::CutShort, "", 2},
      {"X-NO-SUCH-CHARSET", "a", LegacyTextStatus::UnknownCharset, "", 0},
  };
  for (const auto& c : cases) {
    const LegacyTextResult result = ConvertToUtf8(c.bytes, c.charset);
    EXPECT_EQ(result.status, c.status) << c.charset << " " << c.bytes;
    EXPECT_EQ(result.utf8, c.utf8) << c.charset << " " << c.bytes;
    EXPECT_EQ(result.errorOffset, c.errorOffset) << c.charset << " " << c.bytes;
  }
}

}  // namespace
}  // namespace pointimport::platform

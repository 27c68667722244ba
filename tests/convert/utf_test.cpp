#include "convert/utf.h"

#include <gtest/gtest.h>

namespace pointimport::convert {
namespace {

TEST(Utf, RoundTripsEveryPlane) {
  const std::u16string text = u"A\u00e9\u5c71\u7530\U0001F3C3\uFFFF";
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
  EXPECT_EQ(Utf16ToUtf8(u"山田"), "\xE5\xB1\xB1\xE7\x94\xB0");
}

TEST(Utf, ConvertsAcrossLongAsciiRuns) {
  // Up to past the stretch AppendUtf8 writes at a time.
  for (std::size_t offset = 0; offset < 170; ++offset) {
    const std::string ascii(offset, 'a');
    EXPECT_EQ(Utf8ToUtf16(ascii + "\xE5\xB1\xB1" + ascii),
              std::u16string(offset, u'a') + u"山" + std::u16string(offset, u'a'));
    EXPECT_FALSE(IsValidUtf8(ascii + "\xFF" + ascii)) << offset;
    EXPECT_TRUE(IsValidUtf8(ascii + "\xE5\xB1\xB1")) << offset;
    std::string appended = "x";
    AppendUtf8(appended, std::u16string(offset, u'a') + u"山\U0001F3C3" + std::u16string(offset, u'a'));
    EXPECT_EQ(appended, "x" + ascii + "\xE5\xB1\xB1\xF0\x9F\x8F\x83" + ascii) << offset;
  }
}

TEST(Utf, ReplacesWhatCannotBeEncoded) {
  const struct {
    std::string bytes;
    bool valid;
  } cases[] = {
      {"plain", true},
      {"\xC3\xA9", true},
      {"\xC0\xAF", false},          // overlong
      {"\xED\xA0\x80", false},      // a surrogate
      {"\xF4\x90\x80\x80", false},  // above U+10FFFF
      {"\xE5\xB1", false},          // cut short
      {"\xFF", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
    // A file name comes back as the very bytes it was, valid or not.
    EXPECT_EQ(NativePath(PathFromNative(c.bytes)), c.bytes) << c.bytes;
    EXPECT_EQ(NativePath(PathFromNative("dir/" + c.bytes + "/\xF0\x9F\x98\x80")),
              "dir/" + c.bytes + "/\xF0\x9F\x98\x80");
    if (!c.valid) {
      EXPECT_NE(Utf8ToUtf16(c.bytes).find(u'\uFFFD'), std::u16string::npos);
    }
  }
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(u"\xDC00"
                        u"a\xD800\xD83C\xDFC3"),
            "\xEF\xBF\xBD"
            "a\xEF\xBF\xBD\xF0\x9F\x8F\x83");
  // A run of characters that are not ASCII, one of them cut short.
  EXPECT_EQ(Utf8ToUtf16("\xE5\xB1\xB1\xE5\xB1"
                        "A\xC3\xA9\xF0\x9F\x8F\x83\xC0"),
            u"山\uFFFDA\u00e9\U0001F3C3\uFFFD");
}

// The check of a run of characters that are not ASCII takes each lead
// byte's own range for the byte after it, and never reads past the end.
TEST(Utf, FindsTheFirstMalformedCharacterInARun) {
  const struct {
    std::string bytes;
    std::size_t firstInvalid;
  } cases[] = {
      {"\xE5\xB1\xB1\xE7\x94\xB0\xC3\xA9\xF0\x9F\x8F\x83", 12},
      {"\xC2\x80\xDF\xBF\xC1\xBF", 4},
      {"\xE0\xA0\x80\xE0\x9F\xBF", 3},
      {"\xED\x9F\xBF\xED\xA0\x80", 3},
      {"\xEF\xBF\xBF\xE5\xB1\x41", 3},
      {"\xF0\x90\x80\x80\xF0\x8F\xBF\xBF", 4},
      {"\xF4\x8F\xBF\xBF\xF4\x90\x80\x80", 4},
      {"\xF1\x80\x80\x41", 0},
      {"\xF5\x80\x80\x80", 0},
      {"\xE5\xB1\xB1\xE5\xB1", 3},
      {"\xE5\xB1\xB1\xF0\x9F\x8F", 3},
      {"\xE5\xB1\xB1\x80", 3},
  };
  for (const auto& c : cases) {
    for (std::size_t offset : {0, 7, 31, 40}) {
      const std::string ascii(offset, 'a');
      EXPECT_EQ(FirstInvalidUtf8(ascii + c.bytes), offset + c.firstInvalid) << offset << " " << c.bytes;
    }
  }
}

}  // namespace
}  // namespace pointimport::convert

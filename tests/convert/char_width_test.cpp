#include "convert/char_width.h"

#include <gtest/gtest.h>

#include "convert/utf.h"

namespace pointimport::convert {
namespace {

std::u16string FoldAsTimeText(std::u16string_view text) {
  return FoldCharWidth(text, true, true, true, true, false, false);
}

// Every code unit of the folded ranges and their neighbours.
std::u16string EdgeCodeUnits() {
  std::u16string text;
  for (char16_t c = 0x0000; c != 0x0080; ++c) text.push_back(c);
  for (char16_t c = 0xFF00; c != 0xFFF0; ++c) text.push_back(c);
  text += u"\x00A5\x2019\x3000\x3001\x309B\xD800\xDC00\xDFFF\xFFFF";
  return text;
}

TEST(FoldCharWidth, ChangesNothingWithEverySwitchOff) {
  EXPECT_EQ(FoldCharWidth(u"", true, true, true, true, true, true), u"");
  const std::u16string text = EdgeCodeUnits();
  EXPECT_EQ(FoldCharWidth(text, false, false, false, false, false, false), text);
}

TEST(FoldCharWidth, FoldsEachClassToAscii) {
  const struct {
    const char16_t* text;
    const char16_t* folded;
  } cases[] = {
      {u"１：２３：４５", u"1:23:45"},
      {u"Ａｂｃ", u"Abc"},
      {u"ＡＺａｚ", u"AZaz"},
      {u"０９", u"09"},
      {u"　", u" "},
      {u"！／：＠［］＾＿｀｛｜｝～", u"!/:@[]^_`{|}~"},
      {u"＂＇（）＜＞", u"\"'()<>"},
      // The yen sign takes the reverse solidus; the full-width one stays.
      {u"￥＼", u"\\＼"},
      // Neither other full-width signs nor half-width forms nor surrogates.
      {u"￠￡￢￣￤￦ｱﾞ｡", u"￠￡￢￣￤￦ｱﾞ｡"},
      {u"\xD800\xDC00\xDC00", u"\xD800\xDC00\xDC00"},
  };
  for (const auto& c : cases) EXPECT_EQ(FoldAsTimeText(c.text), c.folded) << Utf16ToUtf8(c.text);

  const std::u16string text = EdgeCodeUnits();
  EXPECT_EQ(FoldAsTimeText(text).size(), text.size());
}

TEST(FoldCharWidth, EachSwitchActsOnItsOwnClassOnly) {
  const std::u16string text = u"Ａｂ１　：ab";
  const struct {
    bool letters, digits, space, symbols, toUpper, toLower;
    const char16_t* folded;
  } cases[] = {
      {true, false, false, false, false, false, u"Ab１　：ab"},
      {false, true, false, false, false, false, u"Ａｂ1　：ab"},
      {false, false, true, false, false, false, u"Ａｂ１ ：ab"},
      {false, false, false, true, false, false, u"Ａｂ１　:ab"},
      {true, false, false, false, true, false, u"AB１　：AB"},
      {true, false, false, false, false, true, u"ab１　：ab"},
      // Without folding, the case switches leave full-width letters alone.
      {false, false, false, false, true, false, u"Ａｂ１　：AB"},
      {true, false, false, false, true, true, u"aB１　：AB"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FoldCharWidth(text, c.letters, c.digits, c.space, c.symbols, c.toUpper, c.toLower), c.folded)
        << Utf16ToUtf8(c.folded);
  }
  EXPECT_EQ(FoldCharWidth(u"AbC", false, false, false, false, true, true), u"aBc");
}

}  // namespace
}  // namespace pointimport::convert

#include "main/terminal_text.h"

#include <gtest/gtest.h>

namespace pointimport::main {
namespace {

TEST(TerminalText, ShowsControlCharactersButTabAsEscapes) {
  const struct {
    std::u16string text;
    std::string shown;
  } cases[] = {
      {u"山田 太郎\tOLC", "山田 太郎\tOLC"},
      {u"\x1b[2J赤", "\\x1b[2J赤"},
      {u"a\nb\rc\x00", "a\\x0ab\\x0dc"},
      {std::u16string(u"nul\0", 4), "nul\\x00"},
      {u"\x7f\x80\x9b\x9f\xa0", "\\x7f\\x80\\x9b\\x9f\xC2\xA0"},
  };
  for (const auto& c : cases) EXPECT_EQ(TerminalText(c.text), c.shown) << c.shown;
}

}  // namespace
}  // namespace pointimport::main

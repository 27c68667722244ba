#include "outside/access/access_text.h"

#include <gtest/gtest.h>

namespace pointimport::outside::access {
namespace {

TEST(DecodeStoredText, ReadsBothFormsAndRefusesACutCharacter) {
  using namespace std::string_literals;
  const struct {
    std::string bytes;
    std::optional<std::u16string> text;
  } cases[] = {
      {"", u""},
      {"A\0\x30\x5C"s, u"A\u5C30"},
      // U+20BB7 as its surrogate pair.
      {"\x42\xD8\xB7\xDF"s, u"\U00020BB7"},
      // Compressed: single bytes, a NUL to pairs, a NUL back.
      {"\xFF\xFE"
       "ab\0\x30\x5C\0c"s,
       u"ab\u5C30c"},
      {"A\0\x30"s, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeStoredText(c.bytes), c.text) << c.bytes.size();
}

}  // namespace
}  // namespace pointimport::outside::access

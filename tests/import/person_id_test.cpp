#include "import/person_id.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "convert/utf.h"

namespace pointimport::import {
namespace {

using convert::Utf16ToUtf8;
using namespace std::string_literals;

TEST(RemoveBlanks, RemovesSpaceIdeographicSpaceAndNulOnly) {
  EXPECT_EQ(RemoveBlanks(u" 山田\u3000 太郎\0 "s), u"山田太郎");
  EXPECT_EQ(RemoveBlanks(u"\t\n\r\x00A0\x2002\xFEFF"), u"\t\n\r\x00A0\x2002\xFEFF");
  EXPECT_EQ(RemoveBlanks(u""), u"");
}

TEST(MakePersonId, GivesOneIdForOneRunnerWrittenDifferently) {
  const struct {
    std::vector<std::u16string> names;
    const char16_t* id;
  } cases[] = {
      {{u"", u" \u3000 ", u"\0"s}, u""},
      {{u"山田 太郎", u"山田　太郎", u"山田太郎", u" 山田太郎 "}, u"山田太郎"},
      {{u"yamada taro", u"Yamada Taro", u"ＹＡＭＡＤＡ　ＴＡＲＯ", u"ｙａｍａｄａ ｔａｒｏ"},
       u"ＹＡＭＡＤＡＴＡＲＯ"},
      {{u"ﾔﾏﾀﾞ ﾀﾛｳ", u"ヤマダ タロウ", u"ﾔﾏﾀ ﾞﾀﾛｳ"}, u"ヤマダタロウ"},
      {{u"ﾊﾟｸ"}, u"パク"},
      {{u"ｳﾞｨｸﾄﾙ"}, u"ヴィクトル"},
      {{u"齋藤", u"齊藤", u"斎藤", u"斉藤"}, u"斉藤"},
      {{u"渡邊", u"渡邉", u"渡辺"}, u"渡辺"},
      {{u"澤田理國", u"沢田里国"}, u"沢田里国"},
      {{u"一朗"}, u"一郎"},
      {{u"善佑嶋"}, u"喜祐島"},
      {{u"ゑみ"}, u"えみ"},
      {{u"ヱミ"}, u"ヱミ"},
      {{u"山田太郎(東京OLC)", u"山田太郎（東京ＯＬＣ）", u"山田太郎＜Ｍ２１Ａ＞", u"山田太郎<M21A>",
        u"山田太郎[OB]", u"山田太郎［ＯＢ］", u"山田太郎 (東京"},
       u"山田太郎"},
      {{u"[OB]山田太郎", u"(", u" <x"}, u""},
      {{u"山田太郎)", u"山田太郎）"}, u"山田太郎）"},
      {{u"a（b＜c", u"a＜b（c", u"a[b(c"}, u"Ａ"},
      {{u"a)(b"}, u"Ａ）"},
      {{u"山田\t太郎\n"}, u"山田\t太郎\n"},
      // Only Latin letters change case; nothing else is widened.
      {{u"Émilie ßø αβ Жж"}, u"ÉＭＩＬＩＥßøαβЖж"},
      {{u"\x00A5\x00A0\xFFA1\xFFE8\xD842\xDFB7"}, u"\x00A5\x00A0\xFFA1\xFFE8\xD842\xDFB7"},
  };
  for (const auto& c : cases) {
    for (const auto& name : c.names) EXPECT_EQ(MakePersonId(name), c.id) << Utf16ToUtf8(name);
  }
}

TEST(MakePersonId, WidensEveryPrintableAsciiCharacterAndUpperCases) {
  const std::u16string ascii =
      u"!\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~";
  const std::u16string wide =
      u"！＂＃＄％＆＇（）＊＋，－．／０１２３４５６７８９：；＜＝＞？＠ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳ"
      u"ＴＵＶＷＸＹＺ"
      u"［＼］＾＿｀ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ｛｜｝～";
  ASSERT_EQ(ascii.size(), 94u);
  ASSERT_EQ(wide.size(), 94u);
  for (std::size_t i = 0; i < ascii.size(); ++i) {
    const bool opensBracket = ascii[i] == u'(' || ascii[i] == u'<' || ascii[i] == u'[';
    EXPECT_EQ(MakePersonId(std::u16string(1, ascii[i])), opensBracket ? u"" : wide.substr(i, 1))
        << Utf16ToUtf8(ascii.substr(i, 1));
  }
}

TEST(MakePersonId, WidensEveryHalfWidthKanaAloneAndWithEachSoundMark) {
  const std::u16string half = u"｡｢｣､･ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝﾞﾟ";
  const std::u16string full =
      u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモ"
      u"ヤユヨラリルレロワン゛゜";
  const std::u16string voicing = u"ｳｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾊﾋﾌﾍﾎ";
  const std::u16string voiced = u"ヴガギグゲゴザジズゼゾダヂヅデドバビブベボ";
  const std::u16string semiVoicing = u"ﾊﾋﾌﾍﾎ";
  const std::u16string semiVoiced = u"パピプペポ";
  ASSERT_EQ(half.size(), 63u);
  ASSERT_EQ(full.size(), 63u);
  for (std::size_t i = 0; i < half.size(); ++i) {
    const std::u16string kana = half.substr(i, 1);
    const auto v = voicing.find(half[i]);
    const auto s = semiVoicing.find(half[i]);
    EXPECT_EQ(MakePersonId(kana), full.substr(i, 1)) << Utf16ToUtf8(kana);
    EXPECT_EQ(MakePersonId(kana + u"ﾞ"),
              v == std::u16string::npos ? full.substr(i, 1) + u"゛" : voiced.substr(v, 1))
        << Utf16ToUtf8(kana);
    EXPECT_EQ(MakePersonId(kana + u"ﾟ"),
              s == std::u16string::npos ? full.substr(i, 1) + u"゜" : semiVoiced.substr(s, 1))
        << Utf16ToUtf8(kana);
  }
  EXPECT_EQ(MakePersonId(u"ﾜﾞｦﾞﾞﾟｶﾞﾞ"), u"ワ゛ヲ゛゛゜ガ゛");
}

// Random names over every character the conversion treats specially, mixed
// with ones it leaves alone.
std::vector<std::u16string> GeneratedNames() {
  std::u16string alphabet =
      u" \u3000\t\n山田太郎澤沢邊邉辺理里國国朗郎善喜佑祐嶋島斎齊齋斉ゑえヱ（＜［）＞］ａｚＡＺ０￥＼éß"s;
  alphabet.push_back(u'\0');
  for (char16_t c = 0x21; c <= 0x7E; ++c) alphabet.push_back(c);
  for (char16_t c = 0xFF61; c <= 0xFF9F; ++c) alphabet.push_back(c);
  std::mt19937 random(20050410);
  std::uniform_int_distribution<std::size_t> length(0, 12);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::vector<std::u16string> names;
  for (int n = 0; n < 20000; ++n) {
    std::u16string name;
    for (std::size_t k = length(random); k > 0; --k) name.push_back(alphabet[pick(random)]);
    names.push_back(name);
  }
  return names;
}

TEST(MakePersonId, IsItsOwnIdAndHoldsNoUnconvertedCharacter) {
  const std::u16string unconverted = u" \u3000（＜［澤邊邉理國朗善佑嶋斎齊齋ゑ"s + u'\0';
  for (const auto& name : GeneratedNames()) {
    const std::u16string id = MakePersonId(name);
    EXPECT_EQ(MakePersonId(id), id) << Utf16ToUtf8(name);
    for (char16_t c : id) {
      const bool narrow =
          (c >= 0x21 && c <= 0x7E) || (c >= 0xFF41 && c <= 0xFF5A) || (c >= 0xFF61 && c <= 0xFF9F);
      EXPECT_FALSE(narrow || unconverted.find(c) != std::u16string::npos) << Utf16ToUtf8(name);
    }
  }
}

}  // namespace
}  // namespace pointimport::import

#include "import/person_id.h"

#include <iterator>

namespace pointimport::import {

namespace {

// Variant characters and the one form each is stored under. No right-hand
// character is looked for on the left, so one pass suffices. A switch, as
// every character of every name is looked up.
char16_t UnifyVariant(char16_t c) {
  switch (c) {
    case u'澤':
      return u'沢';
    case u'邊':
    case u'邉':
      return u'辺';
    case u'理':
      return u'里';
    case u'國':
      return u'国';
    case u'朗':
      return u'郎';
    case u'善':
      return u'喜';
    case u'佑':
      return u'祐';
    case u'嶋':
      return u'島';
    case u'斎':
    case u'齊':
    case u'齋':
      return u'斉';
    case u'ゑ':
      return u'え';  // hiragana only: katakana ヱ stays
    default:
      return c;
  }
}

// The width-and-case conversion of person IDs. Every ID in the points
// database was made with it, and later imports find persons by their IDs,
// so not one row may ever change.
//
//   U+0021..U+007E   ASCII, plus 0xFEE0 without exception (so ' " \ ~ become
//                    U+FF07, U+FF02, U+FF3C, U+FF5E), then a..z upper-cased
//   U+FF41..U+FF5A   full-width small letters, upper-cased
//   U+FF61..U+FF9F   half-width katakana and punctuation, by kHalfWidthForms:
//                    a kana and a following sound mark become one voiced or
//                    semi-voiced kana; ﾜﾞ and ｦﾞ do not combine; a mark that
//                    does not combine becomes U+309B or U+309C
//   anything else    unchanged: other letters keep their case, and nothing
//                    outside these ranges is widened
constexpr char16_t kFirstHalfWidth = 0xFF61;
constexpr char16_t kVoicedMark = 0xFF9E;
constexpr char16_t kSemiVoicedMark = 0xFF9F;

// Indexed by code unit minus U+FF61: the full-width form, and the form with
// a following half-width voiced or semi-voiced mark (0 where the mark does
// not combine and so stands as its own full-width mark).
struct HalfWidthForm {
  char16_t alone;
  char16_t voiced;
  char16_t semiVoiced;
};
constexpr HalfWidthForm kHalfWidthForms[] = {
    {u'。', 0, 0},          // ｡
    {u'「', 0, 0},          // ｢
    {u'」', 0, 0},          // ｣
    {u'、', 0, 0},          // ､
    {u'・', 0, 0},          // ･
    {u'ヲ', 0, 0},          // ｦ  ｦﾞ stays two: ヲ゛
    {u'ァ', 0, 0},          // ｧ
    {u'ィ', 0, 0},          // ｨ
    {u'ゥ', 0, 0},          // ｩ
    {u'ェ', 0, 0},          // ｪ
    {u'ォ', 0, 0},          // ｫ
    {u'ャ', 0, 0},          // ｬ
    {u'ュ', 0, 0},          // ｭ
    {u'ョ', 0, 0},          // ｮ
    {u'ッ', 0, 0},          // ｯ
    {u'ー', 0, 0},          // ｰ
    {u'ア', 0, 0},          // ｱ
    {u'イ', 0, 0},          // ｲ
    {u'ウ', u'ヴ', 0},      // ｳ
    {u'エ', 0, 0},          // ｴ
    {u'オ', 0, 0},          // ｵ
    {u'カ', u'ガ', 0},      // ｶ
    {u'キ', u'ギ', 0},      // ｷ
    {u'ク', u'グ', 0},      // ｸ
    {u'ケ', u'ゲ', 0},      // ｹ
    {u'コ', u'ゴ', 0},      // ｺ
    {u'サ', u'ザ', 0},      // ｻ
    {u'シ', u'ジ', 0},      // ｼ
    {u'ス', u'ズ', 0},      // ｽ
    {u'セ', u'ゼ', 0},      // ｾ
    {u'ソ', u'ゾ', 0},      // ｿ
    {u'タ', u'ダ', 0},      // ﾀ
    {u'チ', u'ヂ', 0},      // ﾁ
    {u'ツ', u'ヅ', 0},      // ﾂ
    {u'テ', u'デ', 0},      // ﾃ
    {u'ト', u'ド', 0},      // ﾄ
    {u'ナ', 0, 0},          // ﾅ
    {u'ニ', 0, 0},          // ﾆ
    {u'ヌ', 0, 0},          // ﾇ
    {u'ネ', 0, 0},          // ﾈ
    {u'ノ', 0, 0},          // ﾉ
    {u'ハ', u'バ', u'パ'},  // ﾊ
    {u'ヒ', u'ビ', u'ピ'},  // ﾋ
    {u'フ', u'ブ', u'プ'},  // ﾌ
    {u'ヘ', u'ベ', u'ペ'},  // ﾍ
    {u'ホ', u'ボ', u'ポ'},  // ﾎ
    {u'マ', 0, 0},          // ﾏ
    {u'ミ', 0, 0},          // ﾐ
    {u'ム', 0, 0},          // ﾑ
    {u'メ', 0, 0},          // ﾒ
    {u'モ', 0, 0},          // ﾓ
    {u'ヤ', 0, 0},          // ﾔ
    {u'ユ', 0, 0},          // ﾕ
    {u'ヨ', 0, 0},          // ﾖ
    {u'ラ', 0, 0},          // ﾗ
    {u'リ', 0, 0},          // ﾘ
    {u'ル', 0, 0},          // ﾙ
    {u'レ', 0, 0},          // ﾚ
    {u'ロ', 0, 0},          // ﾛ
    {u'ワ', 0, 0},          // ﾜ  ﾜﾞ stays two: ワ゛
    {u'ン', 0, 0},          // ﾝ
    {u'゛', 0, 0},          // ﾞ  where it does not combine
    {u'゜', 0, 0},          // ﾟ  where it does not combine
};
static_assert(std::size(kHalfWidthForms) == kSemiVoicedMark - kFirstHalfWidth + 1);

char16_t WidenAndUpper(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c + 0xFEC0);
  if (c >= 0x0021 && c <= 0x007E) return static_cast<char16_t>(c + 0xFEE0);
  if (c >= 0xFF41 && c <= 0xFF5A) return static_cast<char16_t>(c - 0x20);
  return c;
}

// Whatever follows an opening bracket is an addition to the name (a club,
// a class, a note), not part of it.
bool IsOpeningBracket(char16_t wide) { return wide == u'（' || wide == u'＜' || wide == u'［'; }

bool IsBlank(char16_t c) { return c == u' ' || c == u'　' || c == u'\0'; }

}  // namespace

std::u16string RemoveBlanks(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (char16_t c : text) {
    if (!IsBlank(c)) out.push_back(c);
  }
  return out;
}

std::u16string MakePersonId(std::u16string_view runnerName) {
  // Blanks are passed over first, so that a sound mark combines across a
  // removed blank: this reads RemoveBlanks(runnerName) without making it.
  const auto kept = [runnerName](std::size_t i) {
    while (i < runnerName.size() && IsBlank(runnerName[i])) ++i;
    return i;
  };
  std::u16string id;
  id.reserve(runnerName.size());
  for (std::size_t i = kept(0); i < runnerName.size();) {
    const char16_t c = UnifyVariant(runnerName[i]);
    std::size_t next = kept(i + 1);
    char16_t wide;
    if (c < kFirstHalfWidth || c > kSemiVoicedMark) {
      wide = WidenAndUpper(c);
    } else {
      const HalfWidthForm& form = kHalfWidthForms[c - kFirstHalfWidth];
      const char16_t following = next < runnerName.size() ? runnerName[next] : u'\0';
      wide = form.alone;
      if (following == kVoicedMark && form.voiced != 0) {
        wide = form.voiced;
        next = kept(next + 1);
      } else if (following == kSemiVoicedMark && form.semiVoiced != 0) {
        wide = form.semiVoiced;
        next = kept(next + 1);
      }
    }
    if (IsOpeningBracket(wide)) break;
    id.push_back(wide);
    i = next;
  }
  return id;
}

}  // namespace pointimport::import

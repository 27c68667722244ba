#include "convert/char_width.h"

namespace pointimport::convert {

namespace {

struct Switches {
  bool letters, digits, space, symbols, toUpper, toLower;
};

constexpr char16_t kFullWidthOffset = 0xFEE0;

constexpr bool In(char16_t c, char16_t first, char16_t last) { return c >= first && c <= last; }

// The full-width reverse solidus U+FF3C is deliberately absent: the yen sign
// U+FFE5 takes its place as the ASCII reverse solidus.
constexpr bool IsFullWidthSymbol(char16_t c) {
  return In(c, 0xFF01, 0xFF0F) || In(c, 0xFF1A, 0xFF20) || c == 0xFF3B || In(c, 0xFF3D, 0xFF40) ||
         In(c, 0xFF5B, 0xFF5E);
}

char16_t FoldOne(char16_t c, const Switches& on) {
  if (In(c, 0xFF21, 0xFF3A)) {
    if (!on.letters) return c;
    return static_cast<char16_t>(c - (on.toLower ? 0xFEC0 : kFullWidthOffset));
  }
  if (In(c, 0xFF41, 0xFF5A)) {
    if (!on.letters) return c;
    return static_cast<char16_t>(c - (on.toUpper ? 0xFF00 : kFullWidthOffset));
  }
  if (In(c, u'A', u'Z')) return on.toLower ? static_cast<char16_t>(c + 0x20) : c;
  if (In(c, u'a', u'z')) return on.toUpper ? static_cast<char16_t>(c - 0x20) : c;
  if (In(c, 0xFF10, 0xFF19)) return on.digits ? static_cast<char16_t>(c - kFullWidthOffset) : c;
  if (c == 0x3000) return on.space ? u' ' : c;
  if (IsFullWidthSymbol(c)) return on.symbols ? static_cast<char16_t>(c - kFullWidthOffset) : c;
  if (c == 0xFFE5) return on.symbols ? u'\\' : c;
  return c;
}

}  // namespace

std::u16string FoldCharWidth(std::u16string_view text, bool foldLetters, bool foldDigits, bool foldSpace,
                             bool foldSymbols, bool toUpper, bool toLower) {
  const Switches on{foldLetters, foldDigits, foldSpace, foldSymbols, toUpper, toLower};
  std::u16string out(text.size(), u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) out[i] = FoldOne(text[i], on);
  return out;
}

}  // namespace pointimport::convert

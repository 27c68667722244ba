#include "outside/lapfile/xml/xml_references.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "convert/utf.h"

namespace pointimport::outside::lapfile::xml {

using convert::Utf8ToUtf16;

namespace {

// Longer references are shown cut, so that a reason stays one line.
constexpr std::size_t kMaxShownReference = 32;

bool IsXmlChar(std::uint32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0x10FFFF);
}

bool IsNameStart(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' ||
         static_cast<unsigned char>(c) >= 0x80;
}

bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

int DigitValue(char c, bool hex) {
  if (c >= '0' && c <= '9') return c - '0';
  if (hex && c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (hex && c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

char* PutUtf8(std::uint32_t c, char* out) {
  if (c < 0x80) {
    *out++ = static_cast<char>(c);
  } else if (c < 0x800) {
    *out++ = static_cast<char>(0xC0 | (c >> 6));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *out++ = static_cast<char>(0xE0 | (c >> 12));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | (c >> 18));
    *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

std::u16string Shown(std::string_view reference) {
  if (reference.size() <= kMaxShownReference) return Utf8ToUtf16(reference);
  return Utf8ToUtf16(reference.substr(0, kMaxShownReference)) + u"…";
}

struct Expansion {
  std::size_t length = 0;   // of the reference, & to ; both included; 0 when it is none
  std::uint32_t character;  // what it stands for
  std::u16string reason;    // why it cannot stand, when not empty
};

// A character reference, &#...; or &#x...;. The value stops growing past
// the last character, so that no number of digits can wrap it round.
Expansion CharacterReference(std::string_view text) {
  const bool hex = text.size() > 2 && text[2] == 'x';
  std::size_t at = hex ? 3 : 2;
  const std::size_t firstDigit = at;
  std::uint32_t value = 0;
  for (int digit; at < text.size() && (digit = DigitValue(text[at], hex)) >= 0; ++at) {
    value = std::min<std::uint32_t>(value * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit), 0x110000);
  }
  if (at == firstDigit || at == text.size() || text[at] != ';') return {};
  Expansion expansion{at + 1, value, {}};
  if (!IsXmlChar(value)) {
    expansion.reason = u"文字参照 " + Shown(text.substr(0, at + 1)) + u" は XML で使えない文字を指しています";
  }
  return expansion;
}

Expansion EntityReference(std::string_view text) {
  std::size_t at = 1;
  if (at == text.size() || !IsNameStart(text[at])) return {};
  while (at < text.size() && IsNameChar(text[at])) ++at;
  if (at == text.size() || text[at] != ';') return {};
  const std::string_view name = text.substr(1, at - 1);
  constexpr struct {
    std::string_view name;
    char character;
  } kPredefined[] = {{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
  for (const auto& predefined : kPredefined) {
    if (name == predefined.name) return {at + 1, static_cast<std::uint32_t>(predefined.character), {}};
  }
  return {at + 1, 0, u"宣言されていない実体参照 " + Shown(text.substr(0, at + 1)) + u" があります"};
}

Expansion ReferenceAt(std::string_view text) {
  return text.size() > 1 && text[1] == '#' ? CharacterReference(text) : EntityReference(text);
}

}  // namespace

std::u16string ExpandReferences(char* text) {
  char* from = std::strchr(text, '&');
  if (from == nullptr) return {};
  char* const end = from + std::strlen(from);
  char* to = from;
  while (from != end) {
    if (*from != '&') {
      *to++ = *from++;
      continue;
    }
    const Expansion expansion = ReferenceAt(std::string_view(from, static_cast<std::size_t>(end - from)));
    if (expansion.length == 0) return u"参照になっていない & があります";
    if (!expansion.reason.empty()) return expansion.reason;
    to = PutUtf8(expansion.character, to);
    from += expansion.length;
  }
  *to = '\0';
  return {};
}

std::size_t AllowedReferenceLength(std::string_view text) {
  const Expansion expansion = ReferenceAt(text);
  return expansion.reason.empty() ? expansion.length : 0;
}

}  // namespace pointimport::outside::lapfile::xml

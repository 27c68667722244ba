#include "outside/connection_string.h"

#include <array>

namespace pointimport::outside {

namespace {

constexpr std::array<std::u16string_view, 3> kKnownKeys = {u"DRIVER", u"DefaultDir", u"DBQ"};

char16_t AsciiUpper(char16_t c) { return c >= u'a' && c <= u'z' ? c - 0x20 : c; }

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

// The known key whose "KEY=" starts at text[pos], if any.
std::optional<std::u16string_view> KeyAt(std::u16string_view text, std::size_t pos) {
  for (const auto key : kKnownKeys) {
    if (pos + key.size() < text.size() && text[pos + key.size()] == u'=' &&
        EqualsIgnoringCase(text.substr(pos, key.size()), key)) {
      return key;
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::u16string> ConnectionStringValue(std::u16string_view connectionString,
                                                    std::u16string_view key) {
  std::size_t pos = 0;
  while (pos < connectionString.size()) {
    const auto found = KeyAt(connectionString, pos);
    const std::size_t valueStart = found ? pos + found->size() + 1 : pos;
    std::size_t end = valueStart;
    while (end < connectionString.size() &&
           !(connectionString[end] == u';' && KeyAt(connectionString, end + 1))) {
      ++end;
    }
    if (found && EqualsIgnoringCase(*found, key)) {
      return std::u16string(connectionString.substr(valueStart, end - valueStart));
    }
    pos = end + 1;
  }
  return std::nullopt;
}

}  // namespace pointimport::outside

#include "outside/connection_string.h"

#include <array>

#include "convert/ascii_case.h"

namespace pointimport::outside {

namespace {

constexpr std::array<std::u16string_view, 3> kKnownKeys = {u"DRIVER", u"DefaultDir", u"DBQ"};

// The known key whose "KEY=" starts at text[pos], if any.
std::optional<std::u16string_view> KeyAt(std::u16string_view text, std::size_t pos) {
  for (const auto key : kKnownKeys) {
    if (pos + key.size() < text.size() && text[pos + key.size()] == u'=' &&
        convert::EqualsIgnoringAsciiCase(text.substr(pos, key.size()), key)) {
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
    if (found && convert::EqualsIgnoringAsciiCase(*found, key)) {
      return std::u16string(connectionString.substr(valueStart, end - valueStart));
    }
    pos = end + 1;
  }
  return std::nullopt;
}

}  // namespace pointimport::outside

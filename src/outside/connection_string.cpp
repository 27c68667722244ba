#include "outside/connection_string.h"

#include <algorithm>
#include <utility>

#include "convert/ascii_case.h"

namespace pointimport::outside {

namespace {

struct Pair {
  std::u16string_view key;
  std::u16string value;
};

// The key and value that begin at text[pos]; pos moves past the ";" after
// them. Nothing when braces are opened and not closed.
std::optional<Pair> NextPair(std::u16string_view text, std::size_t& pos) {
  const std::size_t equals = text.find_first_of(u"=;", pos);
  if (equals == std::u16string_view::npos || text[equals] == u';') {
    // A part without "=" names no key.
    pos = equals == std::u16string_view::npos ? text.size() : equals + 1;
    return Pair{};
  }
  Pair pair{text.substr(pos, equals - pos), {}};
  std::size_t i = equals + 1;
  if (i < text.size() && text[i] == u'{') {
    for (++i;; ++i) {
      if (i >= text.size()) return std::nullopt;
      if (text[i] == u'}') {
        if (i + 1 >= text.size() || text[i + 1] != u'}') break;
        ++i;  // "}}" stands for one "}"
      }
      pair.value.push_back(text[i]);
    }
    ++i;
    if (i < text.size() && text[i] != u';') return std::nullopt;  // text after the closing brace
  } else {
    const std::size_t end = std::min(text.find(u';', i), text.size());
    pair.value = text.substr(i, end - i);
    i = end;
  }
  pos = i + 1;
  return pair;
}

}  // namespace

std::u16string ConnectionStringValueText(std::u16string_view value) {
  if (value.find_first_of(u";{}") == std::u16string_view::npos) return std::u16string(value);
  std::u16string text = u"{";
  for (const char16_t c : value) {
    text.push_back(c);
    if (c == u'}') text.push_back(u'}');
  }
  text.push_back(u'}');
  return text;
}

std::optional<std::u16string> ConnectionStringValue(std::u16string_view connectionString,
                                                    std::u16string_view key) {
  std::size_t pos = 0;
  while (pos < connectionString.size()) {
    std::optional<Pair> pair = NextPair(connectionString, pos);
    if (!pair) return std::nullopt;
    if (!pair->key.empty() && convert::EqualsIgnoringAsciiCase(pair->key, key)) return std::move(pair->value);
  }
  return std::nullopt;
}

}  // namespace pointimport::outside

#pragma once

#include <string_view>

namespace pointimport::outside::lapfile::xml {

// XML's white space: space, tab, carriage return and line feed, nothing else.
constexpr bool IsXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The text without the XML white space around it.
constexpr std::string_view TrimXmlSpace(std::string_view text) {
  std::size_t first = 0, last = text.size();
  while (first < last && IsXmlSpace(text[first])) ++first;
  while (last > first && IsXmlSpace(text[last - 1])) --last;
  return text.substr(first, last - first);
}

}  // namespace pointimport::outside::lapfile::xml

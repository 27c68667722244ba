#pragma once

namespace pointimport::outside {

// XML's white space: space, tab, carriage return and line feed, nothing else.
constexpr bool IsXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace pointimport::outside

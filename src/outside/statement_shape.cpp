#include "outside/statement_shape.h"

#include <array>
#include <limits>

#include "convert/ascii_case.h"

namespace pointimport::outside {

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// SQLite's identifier characters: ASCII letters, digits, "_", "$", and every
// code unit above U+007F.
bool IsIdentifierChar(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || IsDigit(c) || c == u'_' ||
         c > 0x7F;
}

bool StartsWithDataStatement(std::u16string_view statement) {
  std::size_t start = 0;
  while (start < statement.size() && (statement[start] == u' ' || statement[start] == u'\t' ||
                                       statement[start] == u'\r' || statement[start] == u'\n')) {
    ++start;
  }
  std::size_t end = start;
  while (end < statement.size() && IsIdentifierChar(statement[end])) ++end;
  const std::u16string_view word = statement.substr(start, end - start);
  static constexpr std::array<std::u16string_view, 4> kKinds = {u"SELECT", u"INSERT", u"UPDATE", u"DELETE"};
  for (const auto kind : kKinds) {
    if (convert::EqualsIgnoringAsciiCase(word, kind)) return true;
  }
  return false;
}

// Scans the quoted run at statement[i] (opened by quote, closed by close, a
// doubled close standing for itself). Returns the index past it, or npos
// when it is not closed.
std::size_t SkipQuoted(std::u16string_view statement, std::size_t i, char16_t close, std::u16string* value) {
  for (std::size_t k = i + 1; k < statement.size(); ++k) {
    if (statement[k] != close) {
      if (value) value->push_back(statement[k]);
      continue;
    }
    if (close != u']' && k + 1 < statement.size() && statement[k + 1] == close) {
      if (value) value->push_back(close);
      ++k;
      continue;
    }
    return k + 1;
  }
  return std::u16string_view::npos;
}

// A decimal number at statement[i]: digits with an optional point and
// fraction (or a point and digits) and an optional exponent. Returns the
// index past it, or npos when it is not one SQLite reads as a plain number.
std::size_t ScanNumber(std::u16string_view statement, std::size_t i, bool& isReal) {
  std::size_t k = i;
  isReal = false;
  while (k < statement.size() && IsDigit(statement[k])) ++k;
  if (k < statement.size() && statement[k] == u'.') {
    isReal = true;
    ++k;
    while (k < statement.size() && IsDigit(statement[k])) ++k;
  }
  if (k < statement.size() && (statement[k] == u'e' || statement[k] == u'E')) {
    isReal = true;
    ++k;
    if (k < statement.size() && (statement[k] == u'+' || statement[k] == u'-')) ++k;
    if (k >= statement.size() || !IsDigit(statement[k])) return std::u16string_view::npos;
    while (k < statement.size() && IsDigit(statement[k])) ++k;
  }
  // "0x1F", "12abc": not plain numbers.
  if (k < statement.size() && IsIdentifierChar(statement[k])) return std::u16string_view::npos;
  return k;
}

std::optional<std::int64_t> ParseInteger(std::u16string_view digits) {
  std::int64_t value = 0;
  for (char16_t c : digits) {
    const int digit = c - u'0';
    if (value > (std::numeric_limits<std::int64_t>::max() - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}

}  // namespace

std::optional<StatementShape> LiftLiterals(std::u16string_view statement) {
  if (!StartsWithDataStatement(statement)) return std::nullopt;
  StatementShape shape;
  shape.text.reserve(statement.size());
  std::size_t i = 0;
  while (i < statement.size()) {
    const char16_t c = statement[i];
    const bool afterIdentifier = !shape.text.empty() && IsIdentifierChar(shape.text.back());
    if (c == u'\'') {
      if (afterIdentifier) return std::nullopt;  // X'..' blob, or a literal glued to a word
      std::u16string value;
      const std::size_t end = SkipQuoted(statement, i, u'\'', &value);
      if (end == std::u16string_view::npos) return std::nullopt;
      shape.text.push_back(u'?');
      shape.literals.push_back(TextLiteral{std::move(value)});
      i = end;
    } else if (c == u'"' || c == u'`' || c == u'[') {
      const std::size_t end = SkipQuoted(statement, i, c == u'[' ? u']' : c, nullptr);
      if (end == std::u16string_view::npos) return std::nullopt;
      shape.text.append(statement.substr(i, end - i));
      i = end;
    } else if ((IsDigit(c) || (c == u'.' && i + 1 < statement.size() && IsDigit(statement[i + 1]))) &&
               !afterIdentifier) {
      bool isReal = false;
      const std::size_t end = ScanNumber(statement, i, isReal);
      if (end == std::u16string_view::npos) return std::nullopt;
      const std::u16string_view literal = statement.substr(i, end - i);
      if (isReal) {
        shape.literals.push_back(RealLiteral{std::u16string(literal)});
      } else {
        const auto value = ParseInteger(literal);
        if (!value) return std::nullopt;  // SQLite would read it as a real
        shape.literals.push_back(IntegerLiteral{*value});
      }
      shape.text.push_back(u'?');
      i = end;
    } else if (c == u'$') {
      return std::nullopt;  // a parameter of its own
    } else if (IsIdentifierChar(c)) {
      std::size_t end = i;
      while (end < statement.size() && IsIdentifierChar(statement[end])) ++end;
      const std::u16string_view word = statement.substr(i, end - i);
      if (convert::EqualsIgnoringAsciiCase(word, u"ORDER") || convert::EqualsIgnoringAsciiCase(word, u"GROUP")) return std::nullopt;
      shape.text.append(word);
      i = end;
    } else if (c == u'?' || c == u':' || c == u'@' || c == u'#' ||
               (c == u'-' && i + 1 < statement.size() && statement[i + 1] == u'-') ||
               (c == u'/' && i + 1 < statement.size() && statement[i + 1] == u'*')) {
      return std::nullopt;
    } else {
      shape.text.push_back(c);
      ++i;
    }
  }
  return shape;
}

}  // namespace pointimport::outside

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
std::size_t SkipQuoted(std::u16string_view statement, std::size_t i, char16_t close, bool& doubled) {
  doubled = false;
  for (std::size_t k = i + 1; k < statement.size(); ++k) {
    if (statement[k] != close) continue;
    if (close != u']' && k + 1 < statement.size() && statement[k + 1] == close) {
      doubled = true;
      ++k;
      continue;
    }
    return k + 1;
  }
  return std::u16string_view::npos;
}

// FNV-1a over the code units: shapes are short and few, and the hash is
// taken while the shape is written, so nothing reads the text twice.
constexpr std::size_t kHashStart = 14695981039346656037ULL;
std::size_t HashStep(std::size_t hash, char16_t c) { return (hash ^ c) * 1099511628211ULL; }

// Appends to a shape's text and keeps its hash up to date.
class ShapeWriter {
 public:
  explicit ShapeWriter(ScannedShape& shape) : shape_(shape) {
    shape_.text.clear();
    shape_.literals.clear();
    shape_.hash = kHashStart;
  }
  void Append(char16_t c) {
    shape_.text.push_back(c);
    shape_.hash = HashStep(shape_.hash, c);
  }
  void Append(std::u16string_view run) {
    shape_.text.append(run);
    for (char16_t c : run) shape_.hash = HashStep(shape_.hash, c);
  }
  bool AfterIdentifier() const { return !shape_.text.empty() && IsIdentifierChar(shape_.text.back()); }

 private:
  ScannedShape& shape_;
};

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

std::size_t ShapeHash(std::u16string_view text) {
  std::size_t hash = kHashStart;
  for (char16_t c : text) hash = HashStep(hash, c);
  return hash;
}

bool ScanShape(std::u16string_view statement, ScannedShape& shape) {
  if (!StartsWithDataStatement(statement)) return false;
  ShapeWriter writer(shape);
  std::size_t i = 0;
  while (i < statement.size()) {
    const char16_t c = statement[i];
    const bool afterIdentifier = writer.AfterIdentifier();
    if (c == u'\'') {
      if (afterIdentifier) return false;  // X'..' blob, or a literal glued to a word
      bool doubled = false;
      const std::size_t end = SkipQuoted(statement, i, u'\'', doubled);
      if (end == std::u16string_view::npos) return false;
      writer.Append(u'?');
      shape.literals.push_back({ScannedLiteral::Kind::Text, statement.substr(i + 1, end - i - 2), 0, doubled});
      i = end;
    } else if (c == u'"' || c == u'`' || c == u'[') {
      bool doubled = false;
      const std::size_t end = SkipQuoted(statement, i, c == u'[' ? u']' : c, doubled);
      if (end == std::u16string_view::npos) return false;
      writer.Append(statement.substr(i, end - i));
      i = end;
    } else if ((IsDigit(c) || (c == u'.' && i + 1 < statement.size() && IsDigit(statement[i + 1]))) &&
               !afterIdentifier) {
      bool isReal = false;
      const std::size_t end = ScanNumber(statement, i, isReal);
      if (end == std::u16string_view::npos) return false;
      const std::u16string_view literal = statement.substr(i, end - i);
      if (isReal) {
        shape.literals.push_back({ScannedLiteral::Kind::Real, literal});
      } else {
        const auto value = ParseInteger(literal);
        if (!value) return false;  // SQLite would read it as a real
        shape.literals.push_back({ScannedLiteral::Kind::Integer, literal, *value});
      }
      writer.Append(u'?');
      i = end;
    } else if (c == u'$') {
      return false;  // a parameter of its own
    } else if (IsIdentifierChar(c)) {
      std::size_t end = i;
      while (end < statement.size() && IsIdentifierChar(statement[end])) ++end;
      const std::u16string_view word = statement.substr(i, end - i);
      if (convert::EqualsIgnoringAsciiCase(word, u"ORDER") || convert::EqualsIgnoringAsciiCase(word, u"GROUP")) {
        return false;
      }
      writer.Append(word);
      i = end;
    } else if (c == u'?' || c == u':' || c == u'@' || c == u'#' ||
               (c == u'-' && i + 1 < statement.size() && statement[i + 1] == u'-') ||
               (c == u'/' && i + 1 < statement.size() && statement[i + 1] == u'*')) {
      return false;
    } else {
      writer.Append(c);
      ++i;
    }
  }
  return true;
}

std::optional<StatementShape> LiftLiterals(std::u16string_view statement) {
  ScannedShape scanned;
  if (!ScanShape(statement, scanned)) return std::nullopt;
  StatementShape shape{std::move(scanned.text), {}};
  for (const ScannedLiteral& literal : scanned.literals) {
    switch (literal.kind) {
      case ScannedLiteral::Kind::Text: {
        std::u16string value;
        for (std::size_t k = 0; k < literal.written.size(); ++k) {
          value.push_back(literal.written[k]);
          if (literal.written[k] == u'\'') ++k;  // the second of a doubled apostrophe
        }
        shape.literals.emplace_back(std::in_place_type<TextLiteral>, std::move(value));
        break;
      }
      case ScannedLiteral::Kind::Integer:
        shape.literals.emplace_back(std::in_place_type<IntegerLiteral>, literal.integer);
        break;
      case ScannedLiteral::Kind::Real:
        shape.literals.emplace_back(std::in_place_type<RealLiteral>, std::u16string(literal.written));
        break;
    }
  }
  return shape;
}

}  // namespace pointimport::outside

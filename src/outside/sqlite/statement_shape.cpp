#include "outside/sqlite/statement_shape.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <utility>

#include "convert/ascii_case.h"
#include "convert/utf16_lanes.h"

namespace pointimport::outside::sqlite {

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// What a character may start, looked up rather than tested one comparison
// after another: every statement passes through here character by character.
enum class CharKind : std::uint8_t {
  Plain,
  Letter,
  Digit,
  Apostrophe,
  QuotedName,
  Point,
  Dash,
  Slash,
  Refused
};

constexpr std::array<CharKind, 128> MakeAsciiKinds() {
  std::array<CharKind, 128> kinds{};
  for (unsigned char c = 'a'; c <= 'z'; ++c) kinds[c] = CharKind::Letter;
  for (unsigned char c = 'A'; c <= 'Z'; ++c) kinds[c] = CharKind::Letter;
  for (unsigned char c = '0'; c <= '9'; ++c) kinds[c] = CharKind::Digit;
  kinds['_'] = CharKind::Letter;
  kinds['\''] = CharKind::Apostrophe;
  kinds['"'] = kinds['`'] = kinds['['] = CharKind::QuotedName;
  kinds['.'] = CharKind::Point;
  kinds['-'] = CharKind::Dash;
  kinds['/'] = CharKind::Slash;
  // Parameters of the statement's own: "?", ":a", "@a", "#a", "$a".
  kinds['?'] = kinds[':'] = kinds['@'] = kinds['#'] = kinds['$'] = CharKind::Refused;
  return kinds;
}
constexpr std::array<CharKind, 128> kAsciiKinds = MakeAsciiKinds();

// Every code unit above U+007F is a letter to SQLite.
CharKind KindOf(char16_t c) { return c < 128 ? kAsciiKinds[c] : CharKind::Letter; }

// SQLite's identifier characters: ASCII letters, digits, "_", and every code
// unit above U+007F.
bool IsIdentifierChar(char16_t c) {
  const CharKind kind = KindOf(c);
  return kind == CharKind::Letter || kind == CharKind::Digit;
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

// The first c in text at or after from, or npos, four code units at a time.
inline std::size_t Find(std::u16string_view text, std::size_t from, char16_t c) {
  static_assert(std::endian::native == std::endian::little, "the lowest lane is the first code unit");
  const std::uint64_t pattern = convert::EveryLane(c);
  std::size_t k = from;
  for (; k + 4 <= text.size(); k += 4) {
    const std::uint64_t zero = convert::ZeroLaneTops(convert::FourUnits(text.data() + k) ^ pattern);
    if (zero != 0) return k + static_cast<std::size_t>(std::countr_zero(zero)) / 16;
  }
  for (; k < text.size(); ++k) {
    if (text[k] == c) return k;
  }
  return std::u16string_view::npos;
}

// Scans the quoted run at statement[i] (opened by quote, closed by close, a
// doubled close standing for itself). Returns the index past it, or npos
// when it is not closed.
inline std::size_t SkipQuoted(std::u16string_view statement, std::size_t i, char16_t close, bool& doubled) {
  doubled = false;
  for (std::size_t k = Find(statement, i + 1, close); k != std::u16string_view::npos;
       k = Find(statement, k + 2, close)) {
    if (close == u']' || k + 1 >= statement.size() || statement[k + 1] != close) return k + 1;
    doubled = true;
  }
  return std::u16string_view::npos;
}

// FNV-1a, taken over four code units at a time: shapes are short and few,
// and their texts are only ever compared with one another.
constexpr std::size_t kHashStart = 14695981039346656037ULL;
constexpr std::size_t kHashPrime = 1099511628211ULL;
std::size_t HashText(std::u16string_view text) {
  std::size_t hash = kHashStart;
  std::size_t i = 0;
  for (; i + 4 <= text.size(); i += 4) hash = (hash ^ convert::FourUnits(text.data() + i)) * kHashPrime;
  for (; i < text.size(); ++i) hash = (hash ^ text[i]) * kHashPrime;
  return hash;
}

// Writes a shape's text as runs of the statement between its literals, each
// literal as "?", and hashes it once it is whole.
class ShapeWriter {
 public:
  ShapeWriter(std::u16string_view statement, ScannedShape& shape) : statement_(statement), shape_(shape) {
    shape_.text.clear();
    shape_.literals.clear();
  }
  // The literal at statement[start, end) becomes a parameter.
  void Parameter(std::size_t start, std::size_t end) {
    Flush(start);
    shape_.text.push_back(u'?');
    runStart_ = end;
  }
  void Finish() {
    Flush(statement_.size());
    shape_.hash = HashText(shape_.text);
  }

 private:
  void Flush(std::size_t end) {
    const std::u16string_view run = statement_.substr(runStart_, end - runStart_);
    shape_.text.append(run);
  }

  std::u16string_view statement_;
  ScannedShape& shape_;
  std::size_t runStart_ = 0;
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

// The text literal whose opening apostrophe stands at statement[i], added to
// literals. Returns the index past it, or npos when it is not closed.
[[gnu::always_inline]] inline std::size_t ReadTextLiteral(std::u16string_view statement, std::size_t i,
                                                          std::vector<ScannedLiteral>& literals) {
  bool doubled = false;
  const std::size_t end = SkipQuoted(statement, i, u'\'', doubled);
  if (end == std::u16string_view::npos) return end;
  literals.push_back({ScannedLiteral::Kind::Text, statement.substr(i + 1, end - i - 2), 0, doubled});
  return end;
}

// The number literal starting at statement[i], added to literals. Returns
// the index past it, or npos when it is no plain number.
std::size_t ReadNumberLiteral(std::u16string_view statement, std::size_t i,
                              std::vector<ScannedLiteral>& literals) {
  bool isReal = false;
  const std::size_t end = ScanNumber(statement, i, isReal);
  if (end == std::u16string_view::npos) return end;
  const std::u16string_view literal = statement.substr(i, end - i);
  if (isReal) {
    literals.push_back({ScannedLiteral::Kind::Real, literal});
  } else {
    const auto value = ParseInteger(literal);
    if (!value) return std::u16string_view::npos;  // SQLite would read it as a real
    literals.push_back({ScannedLiteral::Kind::Integer, literal, *value});
  }
  return end;
}

// Whether a[0, n) and b[0, n) hold the same code units. Most runs between
// literals are a comma and a blank, too short to be worth a call of memcmp.
bool SameUnits(const char16_t* a, const char16_t* b, std::size_t n) {
  if (n > 8) return std::memcmp(a, b, n * sizeof(char16_t)) == 0;
  for (std::size_t k = 0; k < n; ++k) {
    if (a[k] != b[k]) return false;
  }
  return true;
}

}  // namespace

std::size_t ShapeHash(std::u16string_view text) { return HashText(text); }

bool ScanShape(std::u16string_view statement, ScannedShape& shape) {
  if (!StartsWithDataStatement(statement)) return false;
  ShapeWriter writer(statement, shape);
  // Whether the shape so far ends in an identifier character: a literal
  // glued to a word is no literal.
  bool afterIdentifier = false;
  std::size_t i = 0;
  while (i < statement.size()) {
    const char16_t c = statement[i];
    CharKind kind = KindOf(c);
    if (kind == CharKind::Point && !afterIdentifier && i + 1 < statement.size() && IsDigit(statement[i + 1])) {
      kind = CharKind::Digit;
    }
    if (kind == CharKind::Digit && afterIdentifier) kind = CharKind::Letter;
    switch (kind) {
      case CharKind::Letter: {
        std::size_t end = i + 1;
        while (end < statement.size() && IsIdentifierChar(statement[end])) ++end;
        const std::u16string_view word = statement.substr(i, end - i);
        if (word.size() == 5 && (convert::EqualsIgnoringAsciiCase(word, u"ORDER") ||
                                 convert::EqualsIgnoringAsciiCase(word, u"GROUP"))) {
          return false;
        }
        i = end;
        afterIdentifier = true;
        continue;
      }
      case CharKind::Apostrophe: {
        if (afterIdentifier) return false;  // X'..' blob, or a literal glued to a word
        const std::size_t end = ReadTextLiteral(statement, i, shape.literals);
        if (end == std::u16string_view::npos) return false;
        writer.Parameter(i, end);
        i = end;
        break;
      }
      case CharKind::QuotedName: {
        bool doubled = false;
        const std::size_t end = SkipQuoted(statement, i, c == u'[' ? u']' : c, doubled);
        if (end == std::u16string_view::npos) return false;
        i = end;
        break;
      }
      case CharKind::Digit: {
        const std::size_t end = ReadNumberLiteral(statement, i, shape.literals);
        if (end == std::u16string_view::npos) return false;
        writer.Parameter(i, end);
        i = end;
        break;
      }
      case CharKind::Refused:
        return false;
      case CharKind::Dash:   // "--" opens a comment
      case CharKind::Slash:  // and so does "/*"
        if (i + 1 < statement.size() && statement[i + 1] == (kind == CharKind::Dash ? u'-' : u'*'))
          return false;
        ++i;
        break;
      case CharKind::Plain:
        // Blanks, commas and brackets come in runs between the words.
        ++i;
        while (i < statement.size() && KindOf(statement[i]) == CharKind::Plain) ++i;
        break;
      case CharKind::Point:
        ++i;
        break;
    }
    // A literal leaves "?", a quoted name its closing quote, anything else
    // one character that is no identifier character.
    afterIdentifier = false;
  }
  writer.Finish();
  return true;
}

bool ShapeScanner::Scan(std::u16string_view statement) {
  // Statements come in the order the program writes them: the skeleton that
  // followed the last one before is tried first.
  const std::size_t guess = last_ < skeletons_.size() ? skeletons_[last_].next : kNone;
  if (guess < skeletons_.size() && Replay(skeletons_[guess], statement)) {
    last_ = guess;
    return true;
  }
  for (std::size_t k = 0; k < skeletons_.size(); ++k) {
    if (k != guess && Replay(skeletons_[k], statement)) {
      Follow(k);
      return true;
    }
  }
  if (!ScanShape(statement, shape_)) return false;
  Follow(Remember(statement));
  return true;
}

void ShapeScanner::Follow(std::size_t skeleton) {
  if (last_ < skeletons_.size()) skeletons_[last_].next = skeleton;
  last_ = skeleton;
}

// The scan reads the statement left to right, and whatever it decides reads
// no further than one character past the piece it decides on. So where the
// statement repeats the skeleton's text before a literal, the scan of it
// decides as the skeleton's own did, provided the literal opens with a
// character those decisions cannot tell from the skeleton's: the same
// apostrophe or point, or any digit for a digit. It then reaches the literal
// as it did there, not after a word, and reads it with the same function;
// after a literal it goes on as after any other. The tail, matched to the
// end of the text, ends the scan the same way.
bool ShapeScanner::Replay(const Skeleton& skeleton, std::u16string_view statement) {
  const char16_t* text = skeleton.text.data();
  std::size_t at = 0;
  std::size_t runStart = 0;
  shape_.literals.clear();
  for (const Opening& opening : skeleton.openings) {
    const std::size_t run = opening.at - runStart;
    if (statement.size() - at <= run || !SameUnits(statement.data() + at, text + runStart, run)) {
      return false;
    }
    at += run;
    const char16_t c = statement[at];
    std::size_t end;
    if (c == u'\'') {
      if (opening.first != c) return false;
      end = ReadTextLiteral(statement, at, shape_.literals);
    } else {
      // A point opens a number only when a digit follows it.
      const bool number = IsDigit(c) ? opening.first == u'0'
                                     : c == u'.' && opening.first == c && at + 1 < statement.size() &&
                                           IsDigit(statement[at + 1]);
      if (!number) return false;
      end = ReadNumberLiteral(statement, at, shape_.literals);
    }
    if (end == std::u16string_view::npos) return false;
    at = end;
    runStart = opening.at + 1;
  }
  const std::size_t tail = skeleton.text.size() - runStart;
  if (statement.size() - at != tail || !SameUnits(statement.data() + at, text + runStart, tail)) {
    return false;
  }
  return true;
}

// Keeps the shape just scanned as a skeleton, in place of the oldest once
// there are as many as are kept, and returns where it is kept.
std::size_t ShapeScanner::Remember(std::u16string_view statement) {
  Skeleton skeleton{std::move(shape_.text), shape_.hash, {}, kNone, nextSerial_++};
  std::size_t removed = 0;  // characters the literals so far took beyond their "?"
  for (const ScannedLiteral& literal : shape_.literals) {
    const bool text = literal.kind == ScannedLiteral::Kind::Text;
    const auto written = static_cast<std::size_t>(literal.written.data() - statement.data());
    const std::size_t start = written - (text ? 1 : 0);
    const std::size_t length = literal.written.size() + (text ? 2 : 0);
    const char16_t first = statement[start];
    skeleton.openings.push_back({start - removed, IsDigit(first) ? u'0' : first});
    removed += length - 1;
  }
  if (skeletons_.size() < kMaxSkeletons) {
    skeletons_.push_back(std::move(skeleton));
    return skeletons_.size() - 1;
  }
  const std::size_t replaced = nextReplaced_;
  skeletons_[replaced] = std::move(skeleton);
  nextReplaced_ = (nextReplaced_ + 1) % kMaxSkeletons;
  return replaced;
}

}  // namespace pointimport::outside::sqlite

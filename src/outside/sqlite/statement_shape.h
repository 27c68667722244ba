#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pointimport::outside::sqlite {

// One literal of a statement, where it stands in the statement's own text.
struct ScannedLiteral {
  enum class Kind { Text, Integer, Real };
  Kind kind;
  // Text: what stands between the apostrophes, an apostrophe of the value
  // still doubled. Real: the number as written.
  std::u16string_view written;
  std::int64_t integer = 0;  // Integer: the value
  bool hasDoubledApostrophes = false;
};

// A statement with its literals replaced by "?": statements that differ only
// in their values share one shape, and so one prepared statement. The hash is
// that of the text, taken as it is written (ShapeHash).
struct ScannedShape {
  std::u16string text;
  std::size_t hash = 0;
  std::vector<ScannedLiteral> literals;  // views into the statement scanned
};

// The hash of a shape's text; the same as ScanShape gives.
std::size_t ShapeHash(std::u16string_view text);

// Fills shape (reusing its storage) with the shape of a SELECT, INSERT,
// UPDATE or DELETE statement and returns true; returns false when the
// statement is of another kind or holds anything whose meaning might change
// when its literals become parameters (comments, parameters of its own, blob
// or hexadecimal literals, ORDER BY and GROUP BY, where a number names a
// column). Such statements are simply prepared as they stand.
bool ScanShape(std::u16string_view statement, ScannedShape& shape);

// ScanShape with a memory of the shapes it has given. A program writes its
// statements from a few templates, so a statement nearly always repeats an
// earlier one around its literals: it is then checked against that one, its
// text compared run by run and only its literals read, instead of being read
// character by character. What Scan gives is always what ScanShape gives.
class ShapeScanner {
 public:
  static constexpr std::size_t kMaxSkeletons = 16;

  bool Scan(std::u16string_view statement);
  // The statement last scanned, where Scan returned true: its shape's text
  // and hash, kept with the skeleton it matched rather than copied out, and
  // its literals.
  std::u16string_view Text() const { return skeletons_[last_].text; }
  std::size_t Hash() const { return skeletons_[last_].hash; }
  const std::vector<ScannedLiteral>& Literals() const { return shape_.literals; }
  // Which kept skeleton that shape came from, and a serial number that no
  // other skeleton kept before or after it has: a caller may keep what it
  // found for the shape under the two, valid while the serial stays.
  std::size_t SkeletonIndex() const { return last_; }
  std::uint64_t SkeletonSerial() const { return skeletons_[last_].serial; }

 private:
  // Where a shape's parameter stands in its text, and the character that
  // opened the literal it stands for (any digit as "0").
  struct Opening {
    std::size_t at;
    char16_t first;
  };
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  struct Skeleton {
    std::u16string text;
    std::size_t hash;
    std::vector<Opening> openings;
    std::size_t next;  // the skeleton that matched the statement after the last one this one matched
    std::uint64_t serial;
  };
  bool Replay(const Skeleton& skeleton, std::u16string_view statement);
  std::size_t Remember(std::u16string_view statement);
  void Follow(std::size_t skeleton);

  ScannedShape shape_;
  std::vector<Skeleton> skeletons_;
  std::size_t nextReplaced_ = 0;
  std::uint64_t nextSerial_ = 0;
  std::size_t last_ = kNone;  // the skeleton the last shape came from
};

}  // namespace pointimport::outside::sqlite

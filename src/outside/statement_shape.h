#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace pointimport::outside {

// A literal lifted out of a statement, to be bound in its place.
struct TextLiteral {
  std::u16string text;  // the value, apostrophes undoubled
};
struct IntegerLiteral {
  std::int64_t value;
};
struct RealLiteral {
  std::u16string text;  // as written; SQLite itself turns it into a double
};
using LiftedLiteral = std::variant<TextLiteral, IntegerLiteral, RealLiteral>;

// A statement with its literals replaced by "?": statements that differ only
// in their values share one shape, and so one prepared statement.
struct StatementShape {
  std::u16string text;
  std::vector<LiftedLiteral> literals;
};

// The shape of a SELECT, INSERT, UPDATE or DELETE statement, or nothing when
// the statement is of another kind or holds anything whose meaning might
// change when its literals become parameters (comments, parameters of its
// own, blob or hexadecimal literals, ORDER BY and GROUP BY, where a number
// names a column). Such statements are simply prepared as they stand.
std::optional<StatementShape> LiftLiterals(std::u16string_view statement);

}  // namespace pointimport::outside

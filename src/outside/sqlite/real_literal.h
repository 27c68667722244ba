#pragma once

#include <sqlite3.h>

#include <optional>
#include <string_view>

#include "outside/sqlite/sqlite_statement.h"

namespace pointimport::outside::sqlite {

// The double that SQLite reads from a real literal such as 66.6666666666667,
// where it is certain without asking SQLite; nothing otherwise.
//
// SQLite need not round a literal as strtod does: it divides in extended
// precision and rounds again to a double, which for about one 15-digit value
// in 3,000 lands one bit away from the nearest double. Both agree whenever
// the value lies clearly away from the midpoint between two doubles, and
// that is what is checked here, exactly, with integers: a plain decimal of
// at most 15 significant digits, no exponent, and no midpoint within 2^-62
// of it. Whatever fails the check is left to SQLite.
std::optional<double> RealLiteralValueWhereCertain(std::u16string_view literal);

// The double SQLite reads from a real literal: where it is not certain, CAST
// of the same text goes through SQLite's own routine and gives it.
class RealLiteralReader {
 public:
  explicit RealLiteralReader(sqlite3* db) : db_(db) {}

  // Raises a RuntimeError when SQLite cannot be asked.
  double Value(std::u16string_view literal);

 private:
  sqlite3* db_;
  Statement cast_;  // prepared when first needed
};

}  // namespace pointimport::outside::sqlite

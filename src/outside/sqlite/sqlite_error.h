#pragma once

#include <sqlite3.h>

#include <string>

#include "convert/runtime_error.h"

namespace pointimport::outside::sqlite {

// A failure of the points database, as the system's run-time error, with
// SQLite's extended result code (0 where the connection itself refused):
// the connection tells a rejected row from a failing database by it.
class SqliteError : public convert::RuntimeError {
 public:
  explicit SqliteError(std::u16string description, int code = 0);

  int Code() const noexcept { return code_; }

 private:
  int code_;
};

[[noreturn]] void ThrowSqliteError(std::u16string description, int code = 0);

// The last failure on db: context, then SQLite's own message.
SqliteError LastSqliteError(sqlite3* db, std::u16string context);

// SQLite's own message for the last failure on db, as it follows a
// description: " (SQLite: ...)".
std::u16string SqliteCause(sqlite3* db);

}  // namespace pointimport::outside::sqlite

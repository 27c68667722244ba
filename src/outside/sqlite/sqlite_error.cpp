#include "outside/sqlite/sqlite_error.h"

#include "convert/utf.h"

namespace pointimport::outside::sqlite {

SqliteError::SqliteError(std::u16string description, int code)
    : RuntimeError(convert::error_number::kDatabaseError, std::move(description)), code_(code) {}

void ThrowSqliteError(std::u16string description, int code) { throw SqliteError(std::move(description), code); }

SqliteError LastSqliteError(sqlite3* db, std::u16string context) {
  return SqliteError(std::move(context) + SqliteCause(db), sqlite3_extended_errcode(db));
}

std::u16string SqliteCause(sqlite3* db) {
  return u" (SQLite: " + convert::Utf8ToUtf16(sqlite3_errmsg(db)) + u")";
}

}  // namespace pointimport::outside::sqlite

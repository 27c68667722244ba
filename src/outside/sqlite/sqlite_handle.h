#pragma once

#include <sqlite3.h>

#include <memory>

namespace pointimport::outside::sqlite {

struct SqliteStatementDeleter {
  void operator()(sqlite3_stmt* statement) const noexcept { sqlite3_finalize(statement); }
};
using SqliteStatement = std::unique_ptr<sqlite3_stmt, SqliteStatementDeleter>;

// Shared, so that a record set keeps the database alive while it is read.
using SqliteDatabase = std::shared_ptr<sqlite3>;

// Opens a database file, named by its bytes, with the given flags; the
// handle closes itself.
// On failure returns nullptr and the message in errorMessage.
SqliteDatabase OpenSqliteDatabase(const std::string& nativePath, int flags, std::string& errorMessage);

}  // namespace pointimport::outside::sqlite

#pragma once

#include <sqlite3.h>

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

namespace pointimport::outside::sqlite {

struct SqliteStatementDeleter {
  void operator()(sqlite3_stmt* statement) const noexcept { sqlite3_finalize(statement); }
};
using SqliteStatement = std::unique_ptr<sqlite3_stmt, SqliteStatementDeleter>;

// How long a database that another program is writing is waited for
// before a statement fails.
inline constexpr std::chrono::milliseconds kDefaultBusyTimeout{5000};

// Shared, so that a record set keeps the database alive while it is read.
using SqliteDatabase = std::shared_ptr<sqlite3>;

// Opens a database file, named by its bytes, with the given flags; the
// handle closes itself.
// On failure returns nullptr and the message in errorMessage.
SqliteDatabase OpenSqliteDatabase(const std::string& nativePath, int flags, std::string& errorMessage);

// Prepares the first statement of a UTF-16 text into prepared (nullptr for
// blank text) and returns SQLite's result code; rest is what follows it.
int PrepareUtf16(sqlite3* db, std::u16string_view text, SqliteStatement& prepared, std::u16string_view& rest);

// Whether text holds nothing but blanks, as what may follow a statement.
bool AllBlank(std::u16string_view text);

}  // namespace pointimport::outside::sqlite

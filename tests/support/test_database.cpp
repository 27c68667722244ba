#include "support/test_database.h"

#include <sqlite3.h>

#include <stdexcept>

#include "convert/utf.h"
#include "main/database_location.h"
#include "outside/sqlite/points_database_file.h"

namespace pointimport::test_support {

void CreateTestDatabase(const std::filesystem::path& path) {
  const auto result = outside::sqlite::CreatePointsDatabase(convert::PathFromNative(path.string()));
  if (result.status != outside::sqlite::CreateDatabaseStatus::Created) {
    throw std::runtime_error(convert::Utf16ToUtf8(result.reason));
  }
}

std::u16string ConnectionStringFor(const std::filesystem::path& path) {
  return main::ConnectionStringForFile(convert::PathFromNative(path.parent_path().string()),
                                       convert::PathFromNative(path.string()));
}

std::shared_ptr<outside::sqlite::SqliteConnection> OpenTestConnection(const std::filesystem::path& path) {
  auto connection = std::make_shared<outside::sqlite::SqliteConnection>(kTestBusyTimeout);
  connection->Open(ConnectionStringFor(path));
  return connection;
}

std::vector<std::string> QueryRows(const std::filesystem::path& database, const std::string& sql,
                                   bool withTypes) {
  sqlite3* db = nullptr;
  // Read-write, so that a journal left by a killed writer is rolled back
  // first, as the next program to open the database would.
  if (sqlite3_open_v2(database.string().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    throw std::runtime_error("cannot open " + database.string());
  }
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
    const std::string message = sqlite3_errmsg(db);
    sqlite3_close(db);
    throw std::runtime_error(message);
  }
  static const char* const kTypes[] = {"", "integer", "real", "text", "blob", "null"};
  std::vector<std::string> rows;
  while (sqlite3_step(statement) == SQLITE_ROW) {
    std::string row;
    for (int c = 0; c < sqlite3_column_count(statement); ++c) {
      if (c > 0) row += "\t";
      const int type = sqlite3_column_type(statement, c);
      const auto* text = sqlite3_column_text(statement, c);
      row += type == SQLITE_NULL ? "NULL"
                                 : std::string(reinterpret_cast<const char*>(text),
                                               static_cast<std::size_t>(sqlite3_column_bytes(statement, c)));
      if (withTypes) row += std::string("|") + kTypes[type];
    }
    rows.push_back(row);
  }
  sqlite3_finalize(statement);
  sqlite3_close(db);
  return rows;
}

}  // namespace pointimport::test_support

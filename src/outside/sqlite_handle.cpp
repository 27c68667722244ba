#include "outside/sqlite_handle.h"

namespace pointimport::outside {

SqliteDatabase OpenSqliteDatabase(const std::string& nativePath, int flags, std::string& errorMessage) {
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(nativePath.c_str(), &raw, flags | SQLITE_OPEN_EXRESCODE, nullptr);
  SqliteDatabase database(raw, [](sqlite3* db) { sqlite3_close_v2(db); });
  if (rc != SQLITE_OK) {
    errorMessage = raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc);
    return nullptr;
  }
  return database;
}

}  // namespace pointimport::outside

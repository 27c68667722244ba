#include "outside/sqlite/sqlite_handle.h"

namespace pointimport::outside::sqlite {

namespace {

// SQLite counts every allocation under a global mutex for its memory
// statistics, which nothing here reads: off, before the library starts.
// Once SQLite has started (another part of the process opened a database
// first) the setting is refused and the statistics simply stay on.
void ConfigureSqliteOnce() {
  static const bool configured = [] {
    sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    return true;
  }();
  (void)configured;
}

}  // namespace

SqliteDatabase OpenSqliteDatabase(const std::string& nativePath, int flags, std::string& errorMessage) {
  ConfigureSqliteOnce();
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(nativePath.c_str(), &raw, flags | SQLITE_OPEN_EXRESCODE, nullptr);
  SqliteDatabase database(raw, [](sqlite3* db) { sqlite3_close_v2(db); });
  if (rc != SQLITE_OK) {
    errorMessage = raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc);
    return nullptr;
  }
  return database;
}

int PrepareUtf16(sqlite3* db, std::u16string_view text, SqliteStatement& prepared, std::u16string_view& rest) {
  sqlite3_stmt* raw = nullptr;
  const void* tail = nullptr;
  const int rc =
      sqlite3_prepare16_v2(db, text.data(), static_cast<int>(text.size() * sizeof(char16_t)), &raw, &tail);
  prepared.reset(raw);
  const auto* restStart = tail ? static_cast<const char16_t*>(tail) : text.data() + text.size();
  rest = std::u16string_view(restStart, static_cast<std::size_t>(text.data() + text.size() - restStart));
  return rc;
}

bool AllBlank(std::u16string_view text) {
  for (char16_t c : text) {
    if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n') return false;
  }
  return true;
}

}  // namespace pointimport::outside::sqlite

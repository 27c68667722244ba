#include "outside/sqlite_connection.h"

#include <sys/stat.h>

#include <array>

#include "convert/runtime_error.h"
#include "convert/utf.h"
#include "outside/connection_string.h"
#include "outside/sqlite_record_set.h"

namespace pointimport::outside {

using convert::RuntimeError;
using convert::Utf16ToUtf8;
using convert::Utf8ToUtf16;
namespace error_number = convert::error_number;

namespace {

constexpr std::array<std::u16string_view, 3> kRequiredTables = {u"EVENT", u"PERSON", u"RESULT"};

[[noreturn]] void ThrowError(std::u16string description, int sqliteCode = 0) {
  throw RuntimeError(error_number::kDatabaseError, std::move(description), sqliteCode);
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

std::u16string TablesMissingFrom(sqlite3* db, const std::u16string& path) {
  sqlite3_stmt* raw = nullptr;
  int rc = sqlite3_prepare_v2(db, "SELECT upper(name) FROM sqlite_master WHERE type = 'table'", -1,
                              &raw, nullptr);
  SqliteStatement query(raw);
  std::array<bool, kRequiredTables.size()> present{};
  if (rc == SQLITE_OK) rc = sqlite3_step(query.get());
  for (; rc == SQLITE_ROW; rc = sqlite3_step(query.get())) {
    const std::u16string name = Utf8ToUtf16(reinterpret_cast<const char*>(sqlite3_column_text(query.get(), 0)));
    for (std::size_t i = 0; i < kRequiredTables.size(); ++i) {
      if (name == kRequiredTables[i]) present[i] = true;
    }
  }
  if (rc != SQLITE_DONE) {
    ThrowError(u"ポイントデータベースとして読めないファイルです: " + path + u" (SQLite: " +
                   Utf8ToUtf16(sqlite3_errmsg(db)) + u")",
               sqlite3_extended_errcode(db));
  }
  std::u16string missing;
  for (std::size_t i = 0; i < kRequiredTables.size(); ++i) {
    if (!present[i]) missing += (missing.empty() ? u"" : u", ") + std::u16string(kRequiredTables[i]);
  }
  return missing;
}

}  // namespace

void SqliteConnection::Open(const std::u16string& connectionString) {
  if (database_) ThrowError(u"接続は既に開いています。");
  const auto path = ConnectionStringValue(connectionString, u"DBQ");
  if (!path || path->empty()) ThrowError(u"接続文字列にデータベースファイル (DBQ) がありません。");

  const std::string utf8Path = Utf16ToUtf8(*path);
  struct stat info {};
  if (::stat(utf8Path.c_str(), &info) != 0) {
    ThrowError(u"データベースファイルが見つかりません: " + *path);
  }
  if (!S_ISREG(info.st_mode)) ThrowError(u"データベースファイルではありません: " + *path);

  std::string message;
  SqliteDatabase database = OpenSqliteDatabase(utf8Path, SQLITE_OPEN_READWRITE, message);
  if (!database) {
    ThrowError(u"データベースファイルを開けません: " + *path + u" (SQLite: " + Utf8ToUtf16(message) + u")");
  }
  const std::u16string missing = TablesMissingFrom(database.get(), *path);
  if (!missing.empty()) {
    ThrowError(u"ポイントデータベースに必要なテーブルがありません (" + missing + u"): " + *path);
  }
  sqlite3_busy_timeout(database.get(), kBusyTimeoutMilliseconds);
  database_ = std::move(database);
}

std::unique_ptr<RecordSet> SqliteConnection::Execute(const std::u16string& statement) {
  CheckTransactionIntact();
  SqliteStatement prepared = Prepare(statement);
  if (sqlite3_column_count(prepared.get()) > 0) {
    auto records = std::make_unique<SqliteRecordSet>(database_, std::move(prepared));
    records->MoveNext();
    return records;
  }
  const int rc = sqlite3_step(prepared.get());
  if (rc != SQLITE_DONE && rc != SQLITE_ROW) ThrowDatabaseError(u"SQL 文を実行できません");
  return nullptr;
}

void SqliteConnection::ExecuteInSavepoint(const std::u16string& statement) {
  CheckTransactionIntact();
  Run("SAVEPOINT pointimport_row");
  try {
    Execute(statement);
  } catch (const RuntimeError&) {
    // A statement SQLite has already rolled back together with the whole
    // transaction (a full disk, say) leaves no savepoint to return to; the
    // next call then reports the lost transaction.
    if (!sqlite3_get_autocommit(Handle())) {
      Run("ROLLBACK TO pointimport_row");
      Run("RELEASE pointimport_row");
    }
    throw;
  }
  Run("RELEASE pointimport_row");
}

void SqliteConnection::BeginTrans() {
  // IMMEDIATE takes the write lock now, so a database that another program
  // is writing is waited for before anything of the run is done.
  Run("BEGIN IMMEDIATE");
  inTransaction_ = true;
}

void SqliteConnection::CommitTrans() {
  CheckTransactionIntact();
  Run("COMMIT");
  inTransaction_ = false;
}

void SqliteConnection::RollbackTrans() {
  const bool stillOpen = !sqlite3_get_autocommit(Handle());
  inTransaction_ = false;
  if (stillOpen) Run("ROLLBACK");
}

void SqliteConnection::Close() {
  database_.reset();
  inTransaction_ = false;
}

sqlite3* SqliteConnection::Handle() const {
  if (!database_) ThrowError(u"データベースに接続していません。");
  return database_.get();
}

void SqliteConnection::CheckTransactionIntact() const {
  if (inTransaction_ && sqlite3_get_autocommit(Handle())) {
    ThrowError(u"データベースがトランザクションを取り消しました。何も書き込まれていません。");
  }
}

SqliteStatement SqliteConnection::Prepare(const std::u16string& statement) const {
  sqlite3* db = Handle();
  sqlite3_stmt* raw = nullptr;
  const void* tail = nullptr;
  const int rc = sqlite3_prepare16_v2(db, statement.data(),
                                      static_cast<int>(statement.size() * sizeof(char16_t)), &raw,
                                      &tail);
  SqliteStatement prepared(raw);
  if (rc != SQLITE_OK) ThrowDatabaseError(u"SQL 文に誤りがあります");
  if (!prepared) ThrowError(u"SQL 文がありません。");
  const auto* rest = static_cast<const char16_t*>(tail);
  const char16_t* end = statement.data() + statement.size();
  for (; rest && rest < end; ++rest) {
    if (!IsBlank(*rest)) ThrowError(u"一度に実行できる SQL 文は一つだけです。");
  }
  return prepared;
}

void SqliteConnection::Run(const char* statement) const {
  if (sqlite3_exec(Handle(), statement, nullptr, nullptr, nullptr) != SQLITE_OK) {
    ThrowDatabaseError(u"SQL 文を実行できません");
  }
}

void SqliteConnection::ThrowDatabaseError(std::u16string context) const {
  sqlite3* db = Handle();
  ThrowError(std::move(context) + u" (SQLite: " + Utf8ToUtf16(sqlite3_errmsg(db)) + u")",
             sqlite3_extended_errcode(db));
}

}  // namespace pointimport::outside

#include "outside/sqlite/sqlite_connection.h"

#include "convert/utf.h"
#include "outside/access_file_signature.h"
#include "outside/connection_string.h"
#include "outside/sqlite/points_schema_check.h"
#include "outside/sqlite/read_only_wal.h"
#include "outside/sqlite/sqlite_error.h"
#include "outside/sqlite/sqlite_record_set.h"

namespace pointimport::outside::sqlite {

using convert::Utf8ToUtf16;

namespace {

// Failures of the database itself rather than of one row: the run cannot go
// on from them, so a trapped statement must not swallow them.
bool IsDatabaseFailure(int sqliteCode) {
  switch (sqliteCode & 0xFF) {
    case SQLITE_FULL:
    case SQLITE_IOERR:
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_NOMEM:
    case SQLITE_READONLY:
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
      return true;
    default:
      return false;
  }
}

}  // namespace

void SqliteConnection::Open(const std::u16string& connectionString) {
  if (database_) ThrowSqliteError(u"接続は既に開いています。");
  const auto path = ConnectionStringValue(connectionString, u"DBQ");
  if (!path || path->empty()) ThrowSqliteError(u"接続文字列にデータベースファイル (DBQ) がありません。");

  const platform::FileStatus file = platform::StatusOf(*path);
  if (file.kind == platform::FileKind::None)
    ThrowSqliteError(u"データベースファイルが見つかりません: " + *path);
  if (file.kind != platform::FileKind::Regular)
    ThrowSqliteError(u"データベースファイルではありません: " + *path);
  // SQLite would only call it no database; the operator needs to hear what
  // it is and how to bring its rows over.
  if (HasAccessSignature(*path)) {
    ThrowSqliteError(u"Access のデータベースファイルです。このままでは使えません: " + *path +
                     u"\nファイルを別の名前に移し、pointimport-cli convert 移したファイル --database " + *path +
                     u" で同じ行を持つポイントデータベースに変換してください。");
  }
  const std::string nativePath = convert::NativePath(*path);

  std::string message;
  // One thread uses the connection, and its record sets, from open to close;
  // SQLite's own locking per call would only cost time.
  SqliteDatabase database =
      OpenSqliteDatabase(nativePath, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, message);
  if (!database) {
    ThrowSqliteError(u"データベースファイルを開けません: " + *path + u" (SQLite: " + Utf8ToUtf16(message) +
                     u")");
  }
  // Before the schema is read: a writer committing just then is waited for
  // as everywhere else, not taken for a file that is no database.
  sqlite3_busy_timeout(database.get(), static_cast<int>(busyTimeout_.count()));
  try {
    CheckPointsSchema(database.get(), *path);
  } catch (const SqliteError& error) {
    if (IsReadOnlyWalFailure(error.Code(), nativePath))
      ThrowSqliteError(kReadOnlyWalText + *path, error.Code());
    throw;
  }
  refusedStatementsMayStayHalfDone_ = SchemaMayKeepPartOfARefusedStatement(database.get());
  database_ = std::move(database);
  path_ = *path;
  identity_ = file.identity;
  binder_.emplace(database_.get());
}

std::unique_ptr<RecordSet> SqliteConnection::Execute(const std::u16string& statement,
                                                     std::int64_t* recordsAffected) {
  CheckTransactionIntact();
  Handle();
  auto [prepared, slot] = binder_->Take(statement);
  // Whatever the shape could not take is prepared as it stands, which also
  // gives the error SQLite reports for the statement itself.
  if (!prepared) prepared = Prepare(statement);
  if (sqlite3_column_count(prepared.get()) > 0) {
    auto records = std::make_unique<SqliteRecordSet>(database_, std::move(prepared), binder_->Cache(), slot);
    records->MoveNext();
    return records;
  }
  const int rc = sqlite3_step(prepared.get());
  std::optional<SqliteError> failure;
  if (rc != SQLITE_DONE && rc != SQLITE_ROW) failure = LastSqliteError(Handle(), u"SQL 文を実行できません");
  if (recordsAffected && !failure) *recordsAffected = sqlite3_changes64(Handle());
  binder_->Give(slot, std::move(prepared));
  if (failure) throw *failure;
  return nullptr;
}

std::int64_t SqliteConnection::ExecuteInSavepoint(const std::u16string& statement) {
  CheckTransactionIntact();
  // SQLite undoes a refused statement by itself unless the schema asks for
  // FAIL; only then does the statement need a savepoint of its own.
  const bool savepoint = refusedStatementsMayStayHalfDone_;
  if (savepoint) Run(u"SAVEPOINT pointimport_row");
  std::int64_t recordsAffected = 0;
  try {
    Execute(statement, &recordsAffected);
  } catch (const SqliteError& error) {
    // A full disk or a failing file is no rejected row: the whole
    // transaction goes, and the next call reports it as lost. SQLite may
    // also have rolled it back by itself already.
    if (!sqlite3_get_autocommit(Handle())) {
      if (IsDatabaseFailure(error.Code())) {
        Run(u"ROLLBACK");
      } else if (savepoint) {
        Run(u"ROLLBACK TO pointimport_row");
      }
      if (savepoint && !sqlite3_get_autocommit(Handle())) Run(u"RELEASE pointimport_row");
    }
    if (sqlite3_get_autocommit(Handle())) lostTransactionCause_ = error.Description();
    throw;
  }
  if (savepoint) Run(u"RELEASE pointimport_row");
  return recordsAffected;
}

void SqliteConnection::BeginTrans() {
  CheckFileUnchanged();
  // IMMEDIATE takes the write lock now, so a database that another program
  // is writing is waited for before anything of the run is done.
  Run(u"BEGIN IMMEDIATE");
  // Read again under the write lock: another program may have changed the
  // schema since the open, and nothing can change it now but this run.
  refusedStatementsMayStayHalfDone_ = SchemaMayKeepPartOfARefusedStatement(Handle());
  inTransaction_ = true;
  lostTransactionCause_.clear();
}

void SqliteConnection::CommitTrans() {
  CheckTransactionIntact();
  CheckFileUnchanged();
  Run(u"COMMIT");
  inTransaction_ = false;
}

void SqliteConnection::RollbackTrans() {
  const bool stillOpen = !sqlite3_get_autocommit(Handle());
  inTransaction_ = false;
  if (stillOpen) Run(u"ROLLBACK");
}

void SqliteConnection::Close() {
  if (binder_) binder_->Close();
  binder_.reset();
  database_.reset();
  inTransaction_ = false;
}

sqlite3* SqliteConnection::Handle() const {
  if (!database_) ThrowSqliteError(u"データベースに接続していません。");
  return database_.get();
}

void SqliteConnection::CheckTransactionIntact() const {
  if (inTransaction_ && sqlite3_get_autocommit(Handle())) {
    ThrowSqliteError(u"データベースがトランザクションを取り消しました。何も書き込まれていません。" +
                     (lostTransactionCause_.empty() ? u"" : u"\n" + lostTransactionCause_));
  }
}

void SqliteConnection::CheckFileUnchanged() const {
  Handle();
  const platform::FileStatus file = platform::StatusOf(path_);
  if (file.kind == platform::FileKind::None || file.identity != identity_) {
    ThrowSqliteError(u"データベースファイルが削除されたか置き換えられました。何も書き込みません: " + path_);
  }
}

SqliteStatement SqliteConnection::Prepare(const std::u16string& statement) const {
  SqliteStatement prepared;
  std::u16string_view rest;
  if (PrepareUtf16(Handle(), statement, prepared, rest) != SQLITE_OK) {
    throw LastSqliteError(Handle(), u"SQL 文に誤りがあります");
  }
  if (!prepared) ThrowSqliteError(u"SQL 文がありません。");
  if (!AllBlank(rest)) ThrowSqliteError(u"一度に実行できる SQL 文は一つだけです。");
  return prepared;
}

void SqliteConnection::Run(const std::u16string& statement) {
  Handle();
  auto [prepared, slot] = binder_->TakeFixed(statement);
  if (!prepared) prepared = Prepare(statement);
  const int rc = sqlite3_step(prepared.get());
  std::optional<SqliteError> failure;
  if (rc != SQLITE_DONE) failure = LastSqliteError(Handle(), u"SQL 文を実行できません");
  binder_->Give(slot, std::move(prepared));
  if (failure) throw *failure;
}

}  // namespace pointimport::outside::sqlite

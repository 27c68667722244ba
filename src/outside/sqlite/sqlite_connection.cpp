#include "outside/sqlite/sqlite_connection.h"

#include <cstring>

#include "convert/utf.h"
#include "outside/access_file_signature.h"
#include "outside/connection_string.h"
#include "outside/sqlite/points_schema_check.h"
#include "outside/sqlite/read_only_wal.h"
#include "outside/sqlite/real_literal.h"
#include "outside/sqlite/sqlite_record_set.h"

namespace pointimport::outside::sqlite {

using convert::RuntimeError;
using convert::Utf8ToUtf16;
namespace error_number = convert::error_number;

namespace {

[[noreturn]] void ThrowError(std::u16string description, int sqliteCode = 0) {
  throw RuntimeError(error_number::kDatabaseError, std::move(description), sqliteCode);
}

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

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

// Prepares one statement of UTF-16 text; rest is what follows it.
int PrepareText(sqlite3* db, std::u16string_view text, SqliteStatement& prepared, std::u16string_view& rest) {
  sqlite3_stmt* raw = nullptr;
  const void* tail = nullptr;
  const int rc =
      sqlite3_prepare16_v2(db, text.data(), static_cast<int>(text.size() * sizeof(char16_t)), &raw, &tail);
  prepared.reset(raw);
  const auto* restStart = tail ? static_cast<const char16_t*>(tail) : text.data() + text.size();
  rest = std::u16string_view(restStart, static_cast<std::size_t>(text.data() + text.size() - restStart));
  return rc;
}

// A text literal's value from what stands between its apostrophes, where
// each apostrophe of the value is written twice.
void UndoubleApostrophes(std::string& text) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[kept++] = text[i];
    if (text[i] == '\'') ++i;
  }
  text.resize(kept);
}

bool AllBlank(std::u16string_view text) {
  for (char16_t c : text) {
    if (!IsBlank(c)) return false;
  }
  return true;
}

}  // namespace

void SqliteConnection::Open(const std::u16string& connectionString) {
  if (database_) ThrowError(u"接続は既に開いています。");
  const auto path = ConnectionStringValue(connectionString, u"DBQ");
  if (!path || path->empty()) ThrowError(u"接続文字列にデータベースファイル (DBQ) がありません。");

  const platform::FileStatus file = platform::StatusOf(*path);
  if (file.kind == platform::FileKind::None) ThrowError(u"データベースファイルが見つかりません: " + *path);
  if (file.kind != platform::FileKind::Regular) ThrowError(u"データベースファイルではありません: " + *path);
  // SQLite would only call it no database; the operator needs to hear what
  // it is and how to bring its rows over.
  if (HasAccessSignature(*path)) {
    ThrowError(u"Access のデータベースファイルです。このままでは使えません: " + *path +
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
    ThrowError(u"データベースファイルを開けません: " + *path + u" (SQLite: " + Utf8ToUtf16(message) + u")");
  }
  // Before the schema is read: a writer committing just then is waited for
  // as everywhere else, not taken for a file that is no database.
  sqlite3_busy_timeout(database.get(), kBusyTimeoutMilliseconds);
  try {
    CheckPointsSchema(database.get(), *path);
  } catch (const RuntimeError& error) {
    if (IsReadOnlyWalFailure(error.SqliteCode(), nativePath))
      ThrowError(kReadOnlyWalText + *path, error.SqliteCode());
    throw;
  }
  refusedStatementsMayStayHalfDone_ = SchemaMayKeepPartOfARefusedStatement(database.get());
  database_ = std::move(database);
  path_ = *path;
  identity_ = file.identity;
  cache_ = std::make_shared<StatementCache>();
  skeletonSlots_ = {};
}

std::unique_ptr<RecordSet> SqliteConnection::Execute(const std::u16string& statement,
                                                     std::int64_t* recordsAffected) {
  CheckTransactionIntact();
  PreparedStatement prepared = PrepareForExecution(statement);
  if (sqlite3_column_count(prepared.statement.get()) > 0) {
    auto records =
        std::make_unique<SqliteRecordSet>(database_, std::move(prepared.statement), cache_, prepared.slot);
    records->MoveNext();
    return records;
  }
  const int rc = sqlite3_step(prepared.statement.get());
  std::optional<RuntimeError> failure;
  if (rc != SQLITE_DONE && rc != SQLITE_ROW) failure = DatabaseError(u"SQL 文を実行できません");
  if (recordsAffected && !failure) *recordsAffected = sqlite3_changes64(Handle());
  cache_->Give(prepared.slot, std::move(prepared.statement));
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
  } catch (const RuntimeError& error) {
    // A full disk or a failing file is no rejected row: the whole
    // transaction goes, and the next call reports it as lost. SQLite may
    // also have rolled it back by itself already.
    if (!sqlite3_get_autocommit(Handle())) {
      if (IsDatabaseFailure(error.SqliteCode())) {
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
  if (cache_) cache_->Close();
  realLiteral_.reset();
  database_.reset();
  inTransaction_ = false;
}

sqlite3* SqliteConnection::Handle() const {
  if (!database_) ThrowError(u"データベースに接続していません。");
  return database_.get();
}

void SqliteConnection::CheckTransactionIntact() const {
  if (inTransaction_ && sqlite3_get_autocommit(Handle())) {
    ThrowError(u"データベースがトランザクションを取り消しました。何も書き込まれていません。" +
               (lostTransactionCause_.empty() ? u"" : u"\n" + lostTransactionCause_));
  }
}

void SqliteConnection::CheckFileUnchanged() const {
  Handle();
  const platform::FileStatus file = platform::StatusOf(path_);
  if (file.kind == platform::FileKind::None || file.identity != identity_) {
    ThrowError(u"データベースファイルが削除されたか置き換えられました。何も書き込みません: " + path_);
  }
}

SqliteConnection::PreparedStatement SqliteConnection::PrepareForExecution(const std::u16string& statement) {
  Handle();
  if (shapes_.Scan(statement)) {
    // A skeleton's text is its shape's, whose slot stays the same for as long
    // as the cache: it is searched for once per skeleton.
    SkeletonSlot& known = skeletonSlots_[shapes_.SkeletonIndex()];
    StatementCache::Lease lease;
    if (known.slot && known.serial == shapes_.SkeletonSerial()) {
      lease = cache_->Take(known.slot);
    } else {
      lease = cache_->Take(shapes_.Text(), shapes_.Hash());
      known = {shapes_.SkeletonSerial(), lease.slot};
    }
    auto& [cached, slot] = lease;
    const bool fresh = !cached;
    if (fresh) cached = PrepareShape();
    if (cached && Bind(cached.get(), slot, fresh)) return {std::move(cached), slot};
    if (cached) cache_->Give(slot, std::move(cached));
  }
  // Whatever the shape could not take is prepared as it stands, which also
  // gives the error SQLite reports for the statement itself.
  return {Prepare(statement), nullptr};
}

SqliteStatement SqliteConnection::PrepareShape() const {
  SqliteStatement prepared;
  std::u16string_view rest;
  if (PrepareText(Handle(), shapes_.Text(), prepared, rest) != SQLITE_OK || !prepared || !AllBlank(rest) ||
      sqlite3_bind_parameter_count(prepared.get()) != static_cast<int>(shapes_.Literals().size())) {
    return nullptr;
  }
  return prepared;
}

bool SqliteConnection::Bind(sqlite3_stmt* statement, StatementCache::Slot* slot, bool fresh) {
  // A statement without rows is done before Execute returns, and goes back
  // to its slot, the one statement of its shape: its texts are bound from
  // the slot and stay there, so that a text the last statement of the shape
  // had already (the event of every result) is not bound again. A record
  // set steps on later, while another statement of its shape may run: SQLite
  // keeps its own copy of each text.
  const bool rows = sqlite3_column_count(statement) > 0;
  const auto lifetime = rows ? SQLITE_TRANSIENT : SQLITE_STATIC;
  const std::vector<ScannedLiteral>& literals = shapes_.Literals();
  std::vector<StatementCache::BoundText>* kept = nullptr;
  if (slot) {
    if (rows) {
      slot->texts.clear();
    } else {
      // A statement prepared anew has nothing bound yet.
      if (fresh || slot->texts.size() != literals.size()) slot->texts.assign(literals.size(), {});
      kept = &slot->texts;
    }
  }
  if (textValues_.size() < literals.size()) textValues_.resize(literals.size());
  for (std::size_t i = 0; i < literals.size(); ++i) {
    const ScannedLiteral& literal = literals[i];
    const int index = static_cast<int>(i) + 1;
    StatementCache::BoundText* bound = kept ? &(*kept)[i] : nullptr;
    int rc = SQLITE_OK;
    switch (literal.kind) {
      case ScannedLiteral::Kind::Text: {
        // The same text as written, apostrophes doubled alike, is the same value.
        const std::size_t units = literal.written.size();
        if (bound && bound->bound && bound->written.size() == units &&
            std::memcmp(bound->written.data(), literal.written.data(), units * sizeof(char16_t)) == 0) {
          bound->changes = 0;
          continue;
        }
        // As UTF-8: bound as UTF-16, a leading U+FEFF would be dropped as a
        // byte-order mark, and a leading U+FFFE would turn the rest around.
        std::string& utf8 = bound ? bound->utf8 : textValues_[i];
        utf8.clear();
        convert::AppendUtf8(utf8, literal.written);
        if (literal.hasDoubledApostrophes) UndoubleApostrophes(utf8);
        rc = sqlite3_bind_text(statement, index, utf8.data(), static_cast<int>(utf8.size()), lifetime);
        if (bound) {
          // A text that changes at every run (a runner's name) is not worth
          // keeping for comparison; it is kept again now and then, in case
          // it has come to stay.
          ++bound->changes;
          bound->bound = rc == SQLITE_OK && (bound->changes < 4 || bound->changes % 32 == 0);
          if (bound->bound) bound->written.assign(literal.written);
        }
        break;
      }
      case ScannedLiteral::Kind::Integer:
        rc = sqlite3_bind_int64(statement, index, literal.integer);
        break;
      case ScannedLiteral::Kind::Real: {
        const auto certain = RealLiteralValueWhereCertain(literal.written);
        rc = sqlite3_bind_double(statement, index, certain ? *certain : RealLiteralValue(literal.written));
        break;
      }
    }
    // A number bound in place of a text of the same shape's last statement.
    if (bound && literal.kind != ScannedLiteral::Kind::Text) bound->bound = false;
    if (rc != SQLITE_OK) return false;
  }
  return true;
}

// SQLite turns a real literal into a double with its own routine, which
// need not round as strtod does; CAST of the same text goes through that
// same routine, so the bound value is the one the literal would have given.
double SqliteConnection::RealLiteralValue(std::u16string_view literal) {
  if (!realLiteral_) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(Handle(), "SELECT CAST(?1 AS REAL)", -1, &raw, nullptr) != SQLITE_OK) {
      throw DatabaseError(u"SQL 文を準備できません");
    }
    realLiteral_.reset(raw);
  }
  sqlite3_bind_text16(realLiteral_.get(), 1, literal.data(),
                      static_cast<int>(literal.size() * sizeof(char16_t)), SQLITE_STATIC);
  const int rc = sqlite3_step(realLiteral_.get());
  const double value = sqlite3_column_double(realLiteral_.get(), 0);
  sqlite3_reset(realLiteral_.get());
  sqlite3_clear_bindings(realLiteral_.get());
  if (rc != SQLITE_ROW) throw DatabaseError(u"数値を読めません");
  return value;
}

SqliteStatement SqliteConnection::Prepare(const std::u16string& statement) const {
  SqliteStatement prepared;
  std::u16string_view rest;
  if (PrepareText(Handle(), statement, prepared, rest) != SQLITE_OK)
    throw DatabaseError(u"SQL 文に誤りがあります");
  if (!prepared) ThrowError(u"SQL 文がありません。");
  if (!AllBlank(rest)) ThrowError(u"一度に実行できる SQL 文は一つだけです。");
  return prepared;
}

void SqliteConnection::Run(const std::u16string& statement) {
  Handle();
  auto [prepared, slot] = cache_->Take(statement, ShapeHash(statement));
  if (!prepared) prepared = Prepare(statement);
  const int rc = sqlite3_step(prepared.get());
  std::optional<RuntimeError> failure;
  if (rc != SQLITE_DONE) failure = DatabaseError(u"SQL 文を実行できません");
  cache_->Give(slot, std::move(prepared));
  if (failure) throw *failure;
}

RuntimeError SqliteConnection::DatabaseError(std::u16string context) const {
  sqlite3* db = Handle();
  return RuntimeError(error_number::kDatabaseError,
                      std::move(context) + u" (SQLite: " + Utf8ToUtf16(sqlite3_errmsg(db)) + u")",
                      sqlite3_extended_errcode(db));
}

}  // namespace pointimport::outside::sqlite

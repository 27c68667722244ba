#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "convert/runtime_error.h"
#include "outside/connection.h"
#include "outside/sqlite/sqlite_handle.h"
#include "outside/sqlite/statement_cache.h"
#include "outside/sqlite/statement_shape.h"
#include "platform/file_system.h"

namespace pointimport::outside::sqlite {

// The points database connection over an SQLite 3 file.
//
// Open never creates a file: the database must exist and hold the tables
// EVENT, PERSON and RESULT. A database that another program is writing is
// waited for, a few seconds, before a statement fails.
//
// Statements that differ only in their literal values run as one prepared
// statement with the values bound in place of the literals; what is stored
// is the same, to the byte and the storage class, as if each text had been
// prepared by itself.
class SqliteConnection : public Connection {
 public:
  static constexpr int kBusyTimeoutMilliseconds = 5000;

  void Open(const std::u16string& connectionString) override;
  using Connection::Execute;
  std::unique_ptr<RecordSet> Execute(const std::u16string& statement, std::int64_t* recordsAffected) override;
  std::int64_t ExecuteInSavepoint(const std::u16string& statement) override;
  void BeginTrans() override;
  void CommitTrans() override;
  void RollbackTrans() override;
  void Close() override;

 private:
  // The cache slot of a skeleton's shape, found once for the skeleton.
  struct SkeletonSlot {
    std::uint64_t serial = 0;
    StatementCache::Slot* slot = nullptr;  // nullptr: not looked up yet, or the cache had no room
  };

  struct PreparedStatement {
    SqliteStatement statement;
    StatementCache::Slot* slot;  // where it goes back to; nullptr: finalized after use
  };

  sqlite3* Handle() const;
  void CheckTransactionIntact() const;
  void CheckFileUnchanged() const;
  PreparedStatement PrepareForExecution(const std::u16string& statement);
  SqliteStatement PrepareShape() const;
  bool Bind(sqlite3_stmt* statement, StatementCache::Slot* slot, bool fresh);
  double RealLiteralValue(std::u16string_view literal);
  SqliteStatement Prepare(const std::u16string& statement) const;
  void Run(const std::u16string& statement);
  convert::RuntimeError DatabaseError(std::u16string context) const;

  SqliteDatabase database_;
  std::u16string path_;
  // The file opened, by identity: a file deleted or replaced behind the
  // connection would take every later write into nowhere.
  platform::FileIdentity identity_;
  std::shared_ptr<StatementCache> cache_;
  SqliteStatement realLiteral_;
  // Kept from one statement to the next, so that their storage is reused.
  ShapeScanner shapes_;
  std::array<SkeletonSlot, ShapeScanner::kMaxSkeletons> skeletonSlots_{};
  std::vector<std::string> textValues_;
  bool refusedStatementsMayStayHalfDone_ = true;
  bool inTransaction_ = false;
  std::u16string lostTransactionCause_;
};

}  // namespace pointimport::outside::sqlite

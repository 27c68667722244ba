#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "outside/connection.h"
#include "outside/sqlite/sqlite_handle.h"
#include "outside/sqlite/sqlite_shape_binder.h"
#include "platform/file_system.h"

namespace pointimport::outside::sqlite {

// The points database connection over an SQLite 3 file.
//
// Open never creates a file: the database must exist and hold the tables
// EVENT, PERSON and RESULT. A database that another program is writing is
// waited for, up to the busy timeout, before a statement fails.
class SqliteConnection : public Connection {
 public:
  explicit SqliteConnection(std::chrono::milliseconds busyTimeout = kDefaultBusyTimeout)
      : busyTimeout_(busyTimeout) {}

  void Open(const std::u16string& connectionString) override;
  using Connection::Execute;
  std::unique_ptr<RecordSet> Execute(const std::u16string& statement, std::int64_t* recordsAffected) override;
  std::int64_t ExecuteInSavepoint(const std::u16string& statement) override;
  void BeginTrans() override;
  void CommitTrans() override;
  void RollbackTrans() override;
  void Close() override;

 private:
  sqlite3* Handle() const;
  void CheckTransactionIntact() const;
  void CheckFileUnchanged() const;
  SqliteStatement Prepare(const std::u16string& statement) const;
  void Run(const std::u16string& statement);

  std::chrono::milliseconds busyTimeout_;
  SqliteDatabase database_;
  std::u16string path_;
  // The file opened, by identity: a file deleted or replaced behind the
  // connection would take every later write into nowhere.
  platform::FileIdentity identity_;
  std::optional<ShapeBinder> binder_;  // while open
  bool refusedStatementsMayStayHalfDone_ = true;
  bool inTransaction_ = false;
  std::u16string lostTransactionCause_;
};

}  // namespace pointimport::outside::sqlite

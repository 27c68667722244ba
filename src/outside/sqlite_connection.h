#pragma once

#include <string>

#include "outside/connection.h"
#include "outside/sqlite_handle.h"

namespace pointimport::outside {

// The points database connection over an SQLite 3 file.
//
// Open never creates a file: the database must exist and hold the tables
// EVENT, PERSON and RESULT. A database that another program is writing is
// waited for, a few seconds, before a statement fails.
class SqliteConnection : public Connection {
 public:
  static constexpr int kBusyTimeoutMilliseconds = 5000;

  void Open(const std::u16string& connectionString) override;
  std::unique_ptr<RecordSet> Execute(const std::u16string& statement) override;
  void ExecuteInSavepoint(const std::u16string& statement) override;
  void BeginTrans() override;
  void CommitTrans() override;
  void RollbackTrans() override;
  void Close() override;

 private:
  sqlite3* Handle() const;
  void CheckTransactionIntact() const;
  SqliteStatement Prepare(const std::u16string& statement) const;
  void Run(const char* statement) const;
  [[noreturn]] void ThrowDatabaseError(std::u16string context) const;

  SqliteDatabase database_;
  bool inTransaction_ = false;
};

}  // namespace pointimport::outside

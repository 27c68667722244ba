#pragma once

#include <functional>
#include <memory>
#include <string>

#include "outside/connection.h"

namespace pointimport::outside {

// A connection that hands every statement text to a log, exactly as it is
// about to be executed, then passes it on to the connection it wraps.
class LoggingConnection : public Connection {
 public:
  using Log = std::function<void(const std::u16string& statement)>;

  LoggingConnection(Connection& inner, Log log) : inner_(inner), log_(std::move(log)) {}

  void Open(const std::u16string& connectionString) override { inner_.Open(connectionString); }
  using Connection::Execute;
  std::unique_ptr<RecordSet> Execute(const std::u16string& statement, std::int64_t* recordsAffected) override {
    log_(statement);
    return inner_.Execute(statement, recordsAffected);
  }
  std::int64_t ExecuteInSavepoint(const std::u16string& statement) override {
    log_(statement);
    return inner_.ExecuteInSavepoint(statement);
  }
  void BeginTrans() override { inner_.BeginTrans(); }
  void CommitTrans() override { inner_.CommitTrans(); }
  void RollbackTrans() override { inner_.RollbackTrans(); }
  void Close() override { inner_.Close(); }

 private:
  Connection& inner_;
  Log log_;
};

}  // namespace pointimport::outside

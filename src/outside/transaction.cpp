#include "outside/transaction.h"

namespace pointimport::outside {

Transaction::Transaction(Connection& connection) : connection_(connection) {
  connection_.BeginTrans();
}

Transaction::~Transaction() {
  if (!open_) return;
  try {
    connection_.RollbackTrans();
  } catch (...) {
    // SQLite rolls back by itself when the connection goes; there is no one
    // to report to from here.
  }
}

void Transaction::Commit() {
  connection_.CommitTrans();
  open_ = false;
}

void Transaction::Rollback() {
  open_ = false;
  connection_.RollbackTrans();
}

}  // namespace pointimport::outside

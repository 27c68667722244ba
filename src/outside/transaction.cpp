#include "outside/transaction.h"

#include "convert/runtime_error.h"

namespace pointimport::outside {

Transaction::Transaction(Connection& connection) : connection_(connection) { connection_.BeginTrans(); }

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
  // A second COMMIT would reach whatever transaction the connection is in by
  // then, or fail with SQLite's own puzzling message.
  if (!open_) {
    throw convert::RuntimeError(convert::error_number::kDatabaseError,
                                u"トランザクションは既に確定または取り消されています。");
  }
  connection_.CommitTrans();
  open_ = false;
}

void Transaction::Rollback() {
  open_ = false;
  connection_.RollbackTrans();
}

}  // namespace pointimport::outside

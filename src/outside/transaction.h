#pragma once

#include "outside/connection.h"

namespace pointimport::outside {

// One transaction on a connection: begun on construction, rolled back on
// destruction unless committed. The destructor never throws, since it runs
// while an error is already on its way out.
class Transaction {
 public:
  explicit Transaction(Connection& connection);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  // Raises a RuntimeError, and runs nothing, once committed or rolled back.
  void Commit();
  void Rollback();

 private:
  Connection& connection_;
  bool open_ = true;
};

}  // namespace pointimport::outside

#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "outside/sqlite/sqlite_handle.h"

namespace pointimport::outside::sqlite {

// Prepared statements kept by shape, so that a statement seen before is
// bound and run instead of being compiled again. Preparing is most of what
// a short statement costs.
class StatementCache {
 public:
  static constexpr std::size_t kMaxShapes = 64;

  // Where the statement of one shape waits between executions.
  struct Slot {
    std::u16string shape;
    std::size_t hash;
    SqliteStatement idle;
  };

  // The idle prepared statement of a shape (nullptr when there is none) and
  // the slot it goes back to (nullptr when the cache has no room for it).
  // The hash is ShapeHash of the shape, which the caller has at hand.
  struct Lease {
    SqliteStatement statement;
    Slot* slot;
  };
  Lease Take(std::u16string_view shape, std::size_t hash);
  // The same for a shape whose slot an earlier Take gave.
  Lease Take(Slot* slot);

  // Hands a statement back, reset, to the slot Take gave. Kept while the
  // slot is free and the cache is open; finalized otherwise.
  void Give(Slot* slot, SqliteStatement statement) noexcept;

  // Finalizes every statement and keeps no more. The slots stay until the
  // cache goes, since a record set still being read may hold one.
  void Close() noexcept;

 private:
  std::vector<std::unique_ptr<Slot>> slots_;
  bool closed_ = false;
};

}  // namespace pointimport::outside::sqlite

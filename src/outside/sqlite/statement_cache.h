#pragma once

#include <cstddef>
#include <cstdint>
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

  // A text parameter of a statement without rows, bound from here as it
  // stands (SQLITE_STATIC): bound says that the parameter holds it still.
  struct BoundText {
    std::u16string written;  // as the literal was written
    std::string utf8;        // as it is bound
    bool bound = false;
    std::uint32_t changes = 0;  // runs in a row that bound another text
  };

  // Where the statement of one shape waits between executions.
  struct Slot {
    std::u16string shape;
    std::size_t hash;
    // What the slot's statement without rows has bound, one per parameter,
    // kept up by the connection; before idle, so that it outlives it.
    std::vector<BoundText> texts;
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

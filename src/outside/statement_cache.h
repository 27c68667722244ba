#pragma once

#include <string>
#include <unordered_map>

#include "outside/sqlite_handle.h"

namespace pointimport::outside {

// Prepared statements kept by shape, so that a statement seen before is
// bound and run instead of being compiled again. Preparing is most of what
// a short statement costs.
class StatementCache {
 public:
  static constexpr std::size_t kMaxShapes = 64;

  // The idle prepared statement of a shape, or nullptr.
  SqliteStatement Take(const std::u16string& shape);

  // Hands a statement back, reset and unbound. Kept while there is room and
  // the cache is open; finalized otherwise.
  void Give(const std::u16string& shape, SqliteStatement statement) noexcept;

  // Finalizes every statement and keeps no more.
  void Close() noexcept;

 private:
  std::unordered_map<std::u16string, SqliteStatement> idle_;
  bool closed_ = false;
};

}  // namespace pointimport::outside

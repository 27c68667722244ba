#include "outside/statement_cache.h"

namespace pointimport::outside {

SqliteStatement StatementCache::Take(const std::u16string& shape) {
  const auto found = idle_.find(shape);
  if (found == idle_.end() || !found->second) return nullptr;
  return std::move(found->second);
}

void StatementCache::Give(const std::u16string& shape, SqliteStatement statement) noexcept {
  sqlite3_reset(statement.get());
  sqlite3_clear_bindings(statement.get());
  if (closed_) return;
  try {
    const auto found = idle_.find(shape);
    if (found != idle_.end()) {
      if (!found->second) found->second = std::move(statement);
    } else if (idle_.size() < kMaxShapes) {
      idle_.emplace(shape, std::move(statement));
    }
  } catch (...) {
    // Out of memory: the statement is simply finalized, as if uncached.
  }
}

void StatementCache::Close() noexcept {
  idle_.clear();
  closed_ = true;
}

}  // namespace pointimport::outside

#include "outside/sqlite/statement_cache.h"

#include <cstring>

namespace pointimport::outside::sqlite {

StatementCache::Lease StatementCache::Take(std::u16string_view shape, std::size_t hash) {
  if (closed_) return {nullptr, nullptr};
  // A handful of shapes: comparing hashes in a row beats hashing again.
  for (const auto& slot : slots_) {
    if (slot->hash == hash && slot->shape.size() == shape.size() &&
        std::memcmp(slot->shape.data(), shape.data(), shape.size() * sizeof(char16_t)) == 0) {
      return {std::move(slot->idle), slot.get()};
    }
  }
  if (slots_.size() >= kMaxShapes) return {nullptr, nullptr};
  try {
    slots_.push_back(std::make_unique<Slot>(Slot{std::u16string(shape), hash, nullptr}));
  } catch (...) {
    // Out of memory: the statement simply goes uncached.
    return {nullptr, nullptr};
  }
  return {nullptr, slots_.back().get()};
}

StatementCache::Lease StatementCache::Take(Slot* slot) {
  if (closed_) return {nullptr, nullptr};
  return {std::move(slot->idle), slot};
}

void StatementCache::Give(Slot* slot, SqliteStatement statement) noexcept {
  // Every parameter is bound again before the next run, so the old values
  // need no clearing.
  sqlite3_reset(statement.get());
  if (closed_ || !slot || slot->idle) return;
  slot->idle = std::move(statement);
}

void StatementCache::Close() noexcept {
  for (const auto& slot : slots_) slot->idle.reset();
  closed_ = true;
}

}  // namespace pointimport::outside::sqlite

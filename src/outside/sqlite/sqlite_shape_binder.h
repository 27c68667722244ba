#pragma once

#include <sqlite3.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "outside/sqlite/real_literal.h"
#include "outside/sqlite/sqlite_handle.h"
#include "outside/sqlite/statement_cache.h"
#include "outside/sqlite/statement_shape.h"

namespace pointimport::outside::sqlite {

// Statements that differ only in their literal values run as one prepared
// statement with the values bound in place of the literals; what is stored
// is the same, to the byte and the storage class, as if each text had been
// prepared by itself. Preparing is most of what a short statement costs.
class ShapeBinder {
 public:
  explicit ShapeBinder(sqlite3* db);

  // The prepared statement of statement's shape with its literals bound,
  // and the slot it goes back to; no statement where the shape cannot take
  // it, which is then prepared as it stands.
  StatementCache::Lease Take(std::u16string_view statement);
  // The kept statement of a text without literals, if any, and its slot.
  StatementCache::Lease TakeFixed(std::u16string_view statement);
  void Give(StatementCache::Slot* slot, SqliteStatement statement) noexcept {
    cache_->Give(slot, std::move(statement));
  }

  // Shared with the record sets, which give their statements back when done.
  const std::shared_ptr<StatementCache>& Cache() const noexcept { return cache_; }

  // Finalizes every statement kept.
  void Close() noexcept;

 private:
  // The cache slot of a skeleton's shape, found once for the skeleton.
  struct SkeletonSlot {
    std::uint64_t serial = 0;
    StatementCache::Slot* slot = nullptr;  // nullptr: not looked up yet, or the cache had no room
  };

  SqliteStatement PrepareShape() const;
  bool Bind(sqlite3_stmt* statement);

  sqlite3* db_;
  std::shared_ptr<StatementCache> cache_ = std::make_shared<StatementCache>();
  RealLiteralReader realLiterals_;
  // Kept from one statement to the next, so that their storage is reused.
  ShapeScanner shapes_;
  std::array<SkeletonSlot, ShapeScanner::kMaxSkeletons> skeletonSlots_{};
  std::vector<std::string> textValues_;
};

}  // namespace pointimport::outside::sqlite

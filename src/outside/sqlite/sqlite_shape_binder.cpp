#include "outside/sqlite/sqlite_shape_binder.h"

#include "convert/utf.h"

namespace pointimport::outside::sqlite {

namespace {

// A text literal's value from what stands between its apostrophes, where
// each apostrophe of the value is written twice.
void UndoubleApostrophes(std::string& text) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[kept++] = text[i];
    if (text[i] == '\'') ++i;
  }
  text.resize(kept);
}

}  // namespace

ShapeBinder::ShapeBinder(sqlite3* db) : db_(db), realLiterals_(db) {}

StatementCache::Lease ShapeBinder::Take(std::u16string_view statement) {
  if (!shapes_.Scan(statement)) return {nullptr, nullptr};
  // A skeleton's text is its shape's, whose slot stays the same for as long
  // as the cache: it is searched for once per skeleton.
  SkeletonSlot& known = skeletonSlots_[shapes_.SkeletonIndex()];
  StatementCache::Lease lease;
  if (known.slot && known.serial == shapes_.SkeletonSerial()) {
    lease = cache_->Take(known.slot);
  } else {
    lease = cache_->Take(shapes_.Text(), shapes_.Hash());
    known = {shapes_.SkeletonSerial(), lease.slot};
  }
  auto& [cached, slot] = lease;
  if (!cached) cached = PrepareShape();
  if (cached && Bind(cached.get())) return lease;
  if (cached) cache_->Give(slot, std::move(cached));
  return {nullptr, nullptr};
}

StatementCache::Lease ShapeBinder::TakeFixed(std::u16string_view statement) {
  return cache_->Take(statement, ShapeHash(statement));
}

void ShapeBinder::Close() noexcept { cache_->Close(); }

SqliteStatement ShapeBinder::PrepareShape() const {
  SqliteStatement prepared;
  std::u16string_view rest;
  if (PrepareUtf16(db_, shapes_.Text(), prepared, rest) != SQLITE_OK || !prepared || !AllBlank(rest) ||
      sqlite3_bind_parameter_count(prepared.get()) != static_cast<int>(shapes_.Literals().size())) {
    return nullptr;
  }
  return prepared;
}

bool ShapeBinder::Bind(sqlite3_stmt* statement) {
  // A statement without rows is done before Execute returns, so its texts
  // need to last only until the next statement is bound. A record set steps
  // on later, while another statement may be bound: SQLite keeps its own
  // copy of each text.
  const auto lifetime = sqlite3_column_count(statement) > 0 ? SQLITE_TRANSIENT : SQLITE_STATIC;
  const std::vector<ScannedLiteral>& literals = shapes_.Literals();
  if (textValues_.size() < literals.size()) textValues_.resize(literals.size());
  for (std::size_t i = 0; i < literals.size(); ++i) {
    const ScannedLiteral& literal = literals[i];
    const int index = static_cast<int>(i) + 1;
    int rc = SQLITE_OK;
    switch (literal.kind) {
      case ScannedLiteral::Kind::Text: {
        // As UTF-8: bound as UTF-16, a leading U+FEFF would be dropped as a
        // byte-order mark, and a leading U+FFFE would turn the rest around.
        std::string& utf8 = textValues_[i];
        utf8.clear();
        convert::AppendUtf8(utf8, literal.written);
        if (literal.hasDoubledApostrophes) UndoubleApostrophes(utf8);
        rc = sqlite3_bind_text(statement, index, utf8.data(), static_cast<int>(utf8.size()), lifetime);
        break;
      }
      case ScannedLiteral::Kind::Integer:
        rc = sqlite3_bind_int64(statement, index, literal.integer);
        break;
      case ScannedLiteral::Kind::Real:
        rc = sqlite3_bind_double(statement, index, realLiterals_.Value(literal.written));
        break;
    }
    if (rc != SQLITE_OK) return false;
  }
  return true;
}

}  // namespace pointimport::outside::sqlite

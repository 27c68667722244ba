#include "outside/sqlite/sqlite_record_set.h"

#include <cstdint>
#include <limits>

#include "convert/ascii_case.h"
#include "convert/utf.h"
#include "outside/sqlite/sqlite_error.h"

namespace pointimport::outside::sqlite {

using convert::Variant;

namespace {

Field ColumnField(sqlite3_stmt* statement, int column) {
  const int type = sqlite3_column_type(statement, column);
  switch (type) {
    case SQLITE_NULL:
      return {Variant::Null()};
    case SQLITE_INTEGER: {
      const sqlite3_int64 value = sqlite3_column_int64(statement, column);
      if (value >= std::numeric_limits<std::int32_t>::min() &&
          value <= std::numeric_limits<std::int32_t>::max()) {
        return {Variant(static_cast<std::int32_t>(value))};
      }
      return {Variant(static_cast<double>(value))};
    }
    case SQLITE_FLOAT:
      return {Variant(sqlite3_column_double(statement, column))};
    default: {
      // Text, and a blob read as text, from the UTF-8 the database keeps:
      // SQLite's own UTF-16 reading turns U+FFFE and U+FFFF into U+FFFD.
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
      const auto bytes = static_cast<std::size_t>(sqlite3_column_bytes(statement, column));
      const std::string_view stored(text ? text : "", text ? bytes : 0);
      // A blob written back as text would change its kind, whatever its bytes.
      return {Variant(convert::Utf8ToUtf16(stored)), type == SQLITE_TEXT && convert::IsValidUtf8(stored)};
    }
  }
}

}  // namespace

SqliteRecordSet::SqliteRecordSet(SqliteDatabase database, SqliteStatement statement,
                                 std::shared_ptr<StatementCache> cache, StatementCache::Slot* slot)
    : database_(std::move(database)), statement_(std::move(statement)), cache_(std::move(cache)), slot_(slot) {}

SqliteRecordSet::~SqliteRecordSet() { Close(); }

bool SqliteRecordSet::Eof() const {
  if (!statement_) ThrowSqliteError(u"レコードセットは閉じています。");
  return !onRow_;
}

Field SqliteRecordSet::Fields(std::u16string_view name) const {
  if (Eof()) ThrowSqliteError(u"現在のレコードがありません。");
  const int columns = sqlite3_column_count(statement_.get());
  for (int column = 0; column < columns; ++column) {
    const auto* columnName = static_cast<const char16_t*>(sqlite3_column_name16(statement_.get(), column));
    if (columnName && convert::EqualsIgnoringAsciiCase(columnName, name))
      return ColumnField(statement_.get(), column);
  }
  ThrowSqliteError(u"列が見つかりません: " + std::u16string(name));
}

void SqliteRecordSet::MoveNext() {
  Eof();
  const int rc = sqlite3_step(statement_.get());
  onRow_ = rc == SQLITE_ROW;
  if (rc != SQLITE_ROW && rc != SQLITE_DONE) throw LastSqliteError(database_.get(), u"レコードを読めません");
}

void SqliteRecordSet::Close() {
  onRow_ = false;
  if (statement_ && cache_) cache_->Give(slot_, std::move(statement_));
  statement_.reset();
}

}  // namespace pointimport::outside::sqlite

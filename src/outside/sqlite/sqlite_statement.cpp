#include "outside/sqlite/sqlite_statement.h"

#include "convert/utf.h"

namespace pointimport::outside::sqlite {

Statement::Statement(sqlite3* db, std::string_view sql) {
  sqlite3_stmt* raw = nullptr;
  failed_ = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &raw, nullptr) != SQLITE_OK;
  statement_.reset(raw);
  // Blank text prepares to no statement at all.
  failed_ = failed_ || !raw;
}

void Statement::Bind(int index, std::u16string_view text) {
  if (failed_) return;
  const auto bytes = static_cast<int>(text.size() * sizeof(char16_t));
  failed_ = sqlite3_bind_text16(statement_.get(), index, text.data(), bytes, SQLITE_TRANSIENT) != SQLITE_OK;
}

bool Statement::Step() {
  if (failed_) return false;
  const int rc = sqlite3_step(statement_.get());
  failed_ = rc != SQLITE_ROW && rc != SQLITE_DONE;
  return rc == SQLITE_ROW;
}

int Statement::ColumnInt(int column) const { return sqlite3_column_int(statement_.get(), column); }

double Statement::ColumnDouble(int column) const { return sqlite3_column_double(statement_.get(), column); }

std::u16string Statement::ColumnText(int column) const {
  // From the UTF-8 the database keeps: SQLite's own UTF-16 reading turns
  // U+FFFE and U+FFFF into U+FFFD.
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_.get(), column));
  const auto bytes = static_cast<std::size_t>(sqlite3_column_bytes(statement_.get(), column));
  return convert::Utf8ToUtf16(std::string_view(text ? text : "", text ? bytes : 0));
}

void Statement::Reset() noexcept {
  sqlite3_reset(statement_.get());
  sqlite3_clear_bindings(statement_.get());
  failed_ = !statement_;
}

}  // namespace pointimport::outside::sqlite

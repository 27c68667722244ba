#include "outside/sqlite/points_schema_check.h"

#include <string_view>
#include <vector>

#include "convert/ascii_case.h"
#include "convert/runtime_error.h"
#include "convert/utf.h"
#include "outside/points_tables.h"
#include "outside/sqlite/sqlite_handle.h"

namespace pointimport::outside::sqlite {

using convert::Utf8ToUtf16;

namespace {

[[noreturn]] void ThrowError(std::u16string description, int sqliteCode = 0) {
  throw convert::RuntimeError(convert::error_number::kDatabaseError, std::move(description), sqliteCode);
}

// A schema that cannot be read: a lock held past the busy timeout is the
// operator's to wait out, anything else means the file is no database.
[[noreturn]] void ThrowUnreadable(sqlite3* db, const std::u16string& path) {
  const int code = sqlite3_extended_errcode(db);
  const std::u16string cause = u" (SQLite: " + Utf8ToUtf16(sqlite3_errmsg(db)) + u")";
  if ((code & 0xFF) == SQLITE_BUSY || (code & 0xFF) == SQLITE_LOCKED) {
    ThrowError(
        u"データベースが他のプログラムに使われています。しばらくしてからやり直してください: " + path + cause,
        code);
  }
  ThrowError(u"ポイントデータベースとして読めないファイルです: " + path + cause, code);
}

// The first column of every row of a query, as text.
std::vector<std::u16string> FirstColumn(sqlite3* db, const char* sql, std::u16string_view parameter,
                                        const std::u16string& path) {
  sqlite3_stmt* raw = nullptr;
  int rc = sqlite3_prepare_v2(db, sql, -1, &raw, nullptr);
  SqliteStatement query(raw);
  if (rc == SQLITE_OK && !parameter.empty()) {
    const auto bytes = static_cast<int>(parameter.size() * sizeof(char16_t));
    rc = sqlite3_bind_text16(query.get(), 1, parameter.data(), bytes, SQLITE_TRANSIENT);
  }
  std::vector<std::u16string> values;
  if (rc == SQLITE_OK) rc = sqlite3_step(query.get());
  for (; rc == SQLITE_ROW; rc = sqlite3_step(query.get())) {
    const auto* value = reinterpret_cast<const char*>(sqlite3_column_text(query.get(), 0));
    values.push_back(Utf8ToUtf16(value ? value : ""));
  }
  if (rc != SQLITE_DONE) ThrowUnreadable(db, path);
  return values;
}

bool Contains(const std::vector<std::u16string>& names, std::u16string_view name) {
  for (const auto& candidate : names) {
    if (convert::EqualsIgnoringAsciiCase(candidate, name)) return true;
  }
  return false;
}

std::u16string Joined(const std::vector<std::u16string_view>& names) {
  std::u16string text;
  for (const auto name : names) text += (text.empty() ? u"" : u", ") + std::u16string(name);
  return text;
}

bool IsIdentifierChar(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_' ||
         c == u'$' || c > 0x7F;
}

// Whether the word stands in text as a word of its own, in any letter case.
// A column or string that happens to read FAIL only costs speed.
bool HoldsWord(std::u16string_view text, std::u16string_view word) {
  for (std::size_t start = 0; start + word.size() <= text.size(); ++start) {
    const std::size_t end = start + word.size();
    if ((start == 0 || !IsIdentifierChar(text[start - 1])) &&
        (end == text.size() || !IsIdentifierChar(text[end])) &&
        convert::EqualsIgnoringAsciiCase(text.substr(start, word.size()), word)) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool SchemaMayKeepPartOfARefusedStatement(sqlite3* db) {
  sqlite3_stmt* raw = nullptr;
  int rc = sqlite3_prepare_v2(db, "SELECT sql FROM sqlite_master WHERE sql IS NOT NULL", -1, &raw, nullptr);
  SqliteStatement query(raw);
  if (rc == SQLITE_OK) rc = sqlite3_step(query.get());
  for (; rc == SQLITE_ROW; rc = sqlite3_step(query.get())) {
    const auto* sql = reinterpret_cast<const char*>(sqlite3_column_text(query.get(), 0));
    if (HoldsWord(Utf8ToUtf16(sql), u"FAIL")) return true;
  }
  return rc != SQLITE_DONE;
}

void CheckPointsSchema(sqlite3* db, const std::u16string& path) {
  const auto tables = FirstColumn(db, "SELECT name FROM sqlite_master WHERE type = 'table'", {}, path);
  std::vector<std::u16string_view> missingTables;
  for (const auto& table : PointsTableShapes()) {
    if (!Contains(tables, table.name)) missingTables.push_back(table.name);
  }
  if (!missingTables.empty()) {
    ThrowError(u"ポイントデータベースに必要なテーブルがありません (" + Joined(missingTables) + u"): " + path);
  }
  for (const auto& table : PointsTableShapes()) {
    const auto columns = FirstColumn(db, "SELECT name FROM pragma_table_info(?1)", table.name, path);
    std::vector<std::u16string_view> missingColumns;
    for (const auto column : table.columns) {
      if (!Contains(columns, column)) missingColumns.push_back(column);
    }
    if (!missingColumns.empty()) {
      ThrowError(u"ポイントデータベースの " + std::u16string(table.name) + u" テーブルに列 " +
                 Joined(missingColumns) + u" がありません: " + path);
    }
  }
}

}  // namespace pointimport::outside::sqlite

#include "outside/sqlite/points_schema_check.h"

#include <string_view>
#include <vector>

#include "convert/ascii_case.h"
#include "outside/points_tables.h"
#include "outside/sqlite/sqlite_error.h"
#include "outside/sqlite/sqlite_statement.h"

namespace pointimport::outside::sqlite {

namespace {

// A schema that cannot be read: a lock held past the busy timeout is the
// operator's to wait out, anything else means the file is no database.
[[noreturn]] void ThrowUnreadable(sqlite3* db, const std::u16string& path) {
  const int code = sqlite3_extended_errcode(db);
  const std::u16string cause = SqliteCause(db);
  if ((code & 0xFF) == SQLITE_BUSY || (code & 0xFF) == SQLITE_LOCKED) {
    ThrowSqliteError(
        u"データベースが他のプログラムに使われています。しばらくしてからやり直してください: " + path + cause,
        code);
  }
  ThrowSqliteError(u"ポイントデータベースとして読めないファイルです: " + path + cause, code);
}

// The first column of every row of a query, as text.
std::vector<std::u16string> FirstColumn(sqlite3* db, const char* sql, std::u16string_view parameter,
                                        const std::u16string& path) {
  Statement query(db, sql);
  if (!parameter.empty()) query.Bind(1, parameter);
  std::vector<std::u16string> values;
  while (query.Step()) values.push_back(query.ColumnText(0));
  if (query.Failed()) ThrowUnreadable(db, path);
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
  Statement query(db, "SELECT sql FROM sqlite_master WHERE sql IS NOT NULL");
  while (query.Step()) {
    if (HoldsWord(query.ColumnText(0), u"FAIL")) return true;
  }
  return query.Failed();
}

void CheckPointsSchema(sqlite3* db, const std::u16string& path) {
  const auto tables = FirstColumn(db, "SELECT name FROM sqlite_master WHERE type = 'table'", {}, path);
  std::vector<std::u16string_view> missingTables;
  for (const auto& table : PointsTableShapes()) {
    if (!Contains(tables, table.name)) missingTables.push_back(table.name);
  }
  if (!missingTables.empty()) {
    ThrowSqliteError(u"ポイントデータベースに必要なテーブルがありません (" + Joined(missingTables) + u"): " +
                     path);
  }
  for (const auto& table : PointsTableShapes()) {
    const auto columns = FirstColumn(db, "SELECT name FROM pragma_table_info(?1)", table.name, path);
    std::vector<std::u16string_view> missingColumns;
    for (const auto column : table.columns) {
      if (!Contains(columns, column)) missingColumns.push_back(column);
    }
    if (!missingColumns.empty()) {
      ThrowSqliteError(u"ポイントデータベースの " + std::u16string(table.name) + u" テーブルに列 " +
                       Joined(missingColumns) + u" がありません: " + path);
    }
  }
}

}  // namespace pointimport::outside::sqlite

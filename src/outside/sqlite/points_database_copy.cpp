#include "outside/sqlite/points_database_copy.h"

#include <cmath>
#include <string_view>

#include "convert/date_number.h"
#include "convert/number_text.h"
#include "convert/runtime_error.h"
#include "convert/sql_value.h"
#include "convert/utf.h"
#include "outside/sqlite/sqlite_handle.h"
#include "platform/file_system.h"

namespace pointimport::outside::sqlite {

using convert::Utf8ToUtf16;
using convert::Variant;
using convert::VariantKind;

namespace {

// A place as the import writes it: the lap file's places are whole numbers,
// stored as integers; what reads back as the same text is one ("1", not
// "01" or "+1"). 18 digits always fit.
bool IsPlaceNumber(std::u16string_view text) {
  if (text.empty() || text.size() > 18 || (text[0] == u'0' && text.size() > 1)) return false;
  for (const char16_t c : text) {
    if (c < u'0' || c > u'9') return false;
  }
  return true;
}

bool HasUnpairedSurrogate(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      return true;
    }
  }
  return false;
}

// The import's text of a date, which its literal holds between apostrophes.
std::u16string StoredDateText(double dateNumber) {
  const std::u16string literal = convert::FormatSqlValue(Variant::Date(dateNumber));
  return literal.substr(1, literal.size() - 2);
}

// Whether the date number is a whole second, to within what the stored
// double can hold: the text keeps seconds only.
bool IsWholeSecond(double dateNumber) {
  const double seconds = std::fabs(dateNumber - std::trunc(dateNumber)) * 86400.0;
  return std::fabs(seconds - std::round(seconds)) < 0.0005;
}

class RowWriter {
 public:
  RowWriter(sqlite3* db, const TableRows& table) : db_(db), table_(table) {}

  // Inserts every row of the table; false with message when SQLite refuses.
  bool Write(std::vector<std::u16string>& inexact, std::u16string& message) {
    std::u16string sql = u"INSERT INTO " + std::u16string(table_.name) + u" (";
    std::u16string values;
    for (std::size_t i = 0; i < table_.columns.size(); ++i) {
      sql += (i ? u", " : u"") + std::u16string(table_.columns[i]);
      values += (i ? u", ?" : u"?") + convert::FormatInteger(static_cast<std::int64_t>(i + 1));
    }
    sql += u") VALUES (" + values + u")";
    sqlite3_stmt* raw = nullptr;
    const std::string utf8 = convert::Utf16ToUtf8(sql);
    const int prepared = sqlite3_prepare_v2(db_, utf8.c_str(), -1, &raw, nullptr);
    SqliteStatement insert(raw);
    if (prepared != SQLITE_OK) return Failed(message, 0);
    for (std::size_t r = 0; r < table_.rows.size(); ++r) {
      for (std::size_t c = 0; c < table_.columns.size(); ++c) {
        if (!Bind(insert.get(), c, table_.rows[r][c], r, inexact)) return Failed(message, r + 1);
      }
      if (sqlite3_step(insert.get()) != SQLITE_DONE) return Failed(message, r + 1);
      sqlite3_reset(insert.get());
    }
    return true;
  }

 private:
  std::u16string Where(std::size_t row, std::size_t column) const {
    const Variant& key = table_.rows[row].front();
    return std::u16string(table_.name) + u" の " + convert::FormatInteger(static_cast<std::int64_t>(row + 1)) +
           u" 行目" + (key.IsString() && !key.AsString().empty() ? u" (" + key.AsString() + u")" : u"") +
           u" の列 " + std::u16string(table_.columns[column]);
  }

  bool Failed(std::u16string& message, std::size_t rowNumber) const {
    message = (rowNumber ? std::u16string(table_.name) + u" の " +
                               convert::FormatInteger(static_cast<std::int64_t>(rowNumber)) + u" 行目: "
                         : std::u16string(table_.name) + u": ") +
              Utf8ToUtf16(sqlite3_errmsg(db_));
    return false;
  }

  bool Bind(sqlite3_stmt* insert, std::size_t column, const Variant& value, std::size_t row,
            std::vector<std::u16string>& inexact) {
    const int index = static_cast<int>(column) + 1;
    switch (value.Kind()) {
      case VariantKind::Empty:
      case VariantKind::Null:
        return sqlite3_bind_null(insert, index) == SQLITE_OK;
      case VariantKind::Integer:
        return sqlite3_bind_int64(insert, index, value.AsInteger()) == SQLITE_OK;
      case VariantKind::Long:
        return sqlite3_bind_int64(insert, index, value.AsLong()) == SQLITE_OK;
      case VariantKind::Boolean:
        return sqlite3_bind_int64(insert, index, value.AsBoolean() ? 1 : 0) == SQLITE_OK;
      case VariantKind::Double:
        // SQLite keeps no NaN: it would store NULL.
        if (std::isnan(value.AsDouble()))
          inexact.push_back(Where(row, column) + u": NaN は NULL になりました。");
        return sqlite3_bind_double(insert, index, value.AsDouble()) == SQLITE_OK;
      case VariantKind::Date: {
        const double date = value.AsDate();
        if (!convert::IsInDateRange(date)) {
          // No text of the import's can hold it; the number itself is kept.
          inexact.push_back(Where(row, column) + u": 日付の範囲外の値は数値のまま移しました。");
          return sqlite3_bind_double(insert, index, date) == SQLITE_OK;
        }
        if (!IsWholeSecond(date)) inexact.push_back(Where(row, column) + u": 秒未満を丸めました。");
        return BindText(insert, index, StoredDateText(date));
      }
      case VariantKind::String: {
        const std::u16string& text = value.AsString();
        if (table_.columns[column] == u"PLACE" && IsPlaceNumber(text)) {
          return sqlite3_bind_int64(insert, index, std::stoll(convert::Utf16ToUtf8(text))) == SQLITE_OK;
        }
        if (HasUnpairedSurrogate(text)) {
          inexact.push_back(Where(row, column) + u": 対のないサロゲートを U+FFFD にしました。");
        }
        return BindText(insert, index, text);
      }
    }
    return false;
  }

  static bool BindText(sqlite3_stmt* insert, int index, std::u16string_view text) {
    // As UTF-8, as the connection binds text: bound as UTF-16, a leading
    // U+FEFF would be dropped as a byte-order mark.
    const std::string utf8 = convert::Utf16ToUtf8(text);
    return sqlite3_bind_text(insert, index, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT) ==
           SQLITE_OK;
  }

  sqlite3* db_;
  const TableRows& table_;
};

// Fills the new database at nativePath with every table's rows in one
// transaction. On failure the file is thrown away, so the transaction is
// never rolled back by hand.
bool WriteRows(const std::string& nativePath, const std::vector<TableRows>& tables,
               std::vector<std::u16string>& inexact, std::u16string& message) {
  std::string openMessage;
  SqliteDatabase db = OpenSqliteDatabase(nativePath, SQLITE_OPEN_READWRITE, openMessage);
  if (!db) {
    message = Utf8ToUtf16(openMessage);
    return false;
  }
  if (sqlite3_exec(db.get(), "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) {
    message = Utf8ToUtf16(sqlite3_errmsg(db.get()));
    return false;
  }
  for (const auto& table : tables) {
    if (!RowWriter(db.get(), table).Write(inexact, message)) return false;
  }
  if (sqlite3_exec(db.get(), "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
    message = Utf8ToUtf16(sqlite3_errmsg(db.get()));
    return false;
  }
  return true;
}

}  // namespace

CopyDatabaseResult CreatePointsDatabaseWithRows(const std::u16string& path,
                                                const std::vector<TableRows>& tables) {
  const platform::FileStatus existing = platform::StatusOf(path);
  if (existing.kind != platform::FileKind::None || existing.danglingLink) {
    return {CreateDatabaseStatus::Refused, u"ファイルが既にあります。変更しません: " + path, {}};
  }
  // Made under a name of its own beside the target, so that a failure
  // half-way leaves nothing under the target's name.
  const std::u16string temporary = path + u".converting-" + platform::ProcessTag();
  platform::RemoveFile(temporary);
  const CreateDatabaseResult created = CreatePointsDatabase(temporary);
  if (created.status != CreateDatabaseStatus::Created) {
    platform::RemoveFile(temporary);
    return {CreateDatabaseStatus::Failed, created.reason, {}};
  }
  CopyDatabaseResult result{CreateDatabaseStatus::Created, {}, {}};
  std::u16string message;
  if (!WriteRows(convert::NativePath(temporary), tables, result.inexact, message)) {
    platform::RemoveFile(temporary);
    return {CreateDatabaseStatus::Failed,
            u"データベースに行を書き込めません: " + path + u" (" + message + u")",
            {}};
  }
  std::string moveMessage;
  const platform::MoveResult moved = platform::MoveToFreeName(temporary, path, moveMessage);
  if (moved != platform::MoveResult::Moved) platform::RemoveFile(temporary);
  if (moved == platform::MoveResult::NameTaken) {
    return {CreateDatabaseStatus::Refused, u"ファイルが既にあります。変更しません: " + path, {}};
  }
  if (moved == platform::MoveResult::Failed) {
    return {CreateDatabaseStatus::Failed,
            u"データベースファイルを作成できません: " + path + u" (" + Utf8ToUtf16(moveMessage) + u")",
            {}};
  }
  result.reason = u"ポイントデータベースを作成しました: " + path;
  return result;
}

}  // namespace pointimport::outside::sqlite

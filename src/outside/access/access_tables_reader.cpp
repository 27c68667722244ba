#include "outside/access/access_tables_reader.h"

#include <mdbtools.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string_view>

#include "convert/ascii_case.h"
#include "convert/number_text.h"
#include "convert/runtime_error.h"
#include "convert/utf.h"
#include "outside/access/access_text.h"

namespace pointimport::outside::access {

using convert::RuntimeError;
using convert::Utf8ToUtf16;
using convert::Variant;

namespace {

// Where a row's offset on its page ends; the bits above it are flags.
constexpr int kRowOffsetMask = 0x1FFF;

struct HandleCloser {
  void operator()(MdbHandle* mdb) const noexcept { mdb_close(mdb); }
};
using AccessFile = std::unique_ptr<MdbHandle, HandleCloser>;

struct TableFreer {
  void operator()(MdbTableDef* table) const noexcept { mdb_free_tabledef(table); }
};
using AccessTable = std::unique_ptr<MdbTableDef, TableFreer>;

[[noreturn]] void Refuse(std::u16string description) {
  throw RuntimeError(convert::error_number::kDatabaseError, std::move(description));
}

// The catalogue's user table whose name matches, in any letter case.
MdbCatalogEntry* FindTable(MdbHandle* mdb, std::u16string_view name) {
  GPtrArray* catalog = mdb_read_catalog(mdb, MDB_TABLE);
  for (guint i = 0; catalog && i < catalog->len; ++i) {
    auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(catalog, i));
    if (mdb_is_user_table(entry) && convert::EqualsIgnoringAsciiCase(Utf8ToUtf16(entry->object_name), name)) {
      return entry;
    }
  }
  return nullptr;
}

MdbColumn* ColumnAt(MdbTableDef* table, std::size_t index) {
  return static_cast<MdbColumn*>(g_ptr_array_index(table->columns, index));
}

// What a row is called in messages: its table, its place in the table and
// the value of its first column, which is the table's key.
struct RowName {
  std::u16string_view table;
  std::size_t number = 0;
  std::u16string key;

  std::u16string Text(std::u16string_view column) const {
    return std::u16string(table) + u" の " + convert::FormatInteger(static_cast<std::int64_t>(number)) +
           u" 行目" + (key.empty() ? u"" : u" (" + key + u")") + u" の列 " + std::u16string(column);
  }
};

class TableReader {
 public:
  TableReader(MdbHandle* mdb, MdbTableDef* table, const PointsTableShape& shape)
      : mdb_(mdb), table_(table), shape_(shape) {}

  TableRows Read(std::vector<std::u16string>& leftOut) {
    mdb_read_columns(table_);
    FindColumns(leftOut);
    mdb_rewind_table(table_);
    TableRows rows{shape_.name, shape_.columns, {}};
    while (mdb_fetch_row(table_)) rows.rows.push_back(CurrentRow(rows.rows.size() + 1));
    // The library skips a row it cannot take apart and stops at a page it
    // cannot read, both without a word; the table's own count tells.
    if (rows.rows.size() != table_->num_rows) {
      Refuse(u"Access のデータベースの " + std::u16string(shape_.name) + u" テーブルには " +
             convert::FormatInteger(table_->num_rows) + u" 行あるはずですが、読めたのは " +
             convert::FormatInteger(static_cast<std::int64_t>(rows.rows.size())) +
             u" 行です。ファイルが壊れているか、途中で切れています。");
    }
    return rows;
  }

 private:
  void FindColumns(std::vector<std::u16string>& leftOut) {
    for (const auto wanted : shape_.columns) {
      std::size_t found = table_->num_cols;
      for (std::size_t i = 0; i < table_->num_cols; ++i) {
        if (convert::EqualsIgnoringAsciiCase(Utf8ToUtf16(ColumnAt(table_, i)->name), wanted)) found = i;
      }
      if (found == table_->num_cols) {
        Refuse(u"Access のデータベースの " + std::u16string(shape_.name) + u" テーブルに列 " +
               std::u16string(wanted) + u" がありません。");
      }
      CheckType(ColumnAt(table_, found), wanted);
      columnIndexes_.push_back(found);
    }
    for (std::size_t i = 0; i < table_->num_cols; ++i) {
      if (std::find(columnIndexes_.begin(), columnIndexes_.end(), i) == columnIndexes_.end()) {
        leftOut.push_back(std::u16string(shape_.name) + u" の列 " + Utf8ToUtf16(ColumnAt(table_, i)->name));
      }
    }
  }

  void CheckType(const MdbColumn* column, std::u16string_view name) const {
    switch (column->col_type) {
      case MDB_TEXT:
      case MDB_BYTE:
      case MDB_INT:
      case MDB_LONGINT:
      case MDB_FLOAT:
      case MDB_DOUBLE:
      case MDB_DATETIME:
        return;
      default:
        // A memo, currency, decimal, binary or yes/no column: not what the
        // import writes, so there is no stored form to carry it over as.
        Refuse(u"Access のデータベースの " + std::u16string(shape_.name) + u" テーブルの列 " +
               std::u16string(name) + u" は変換できない型です (" +
               Utf8ToUtf16(mdb_get_colbacktype_string(column)) + u")。");
    }
  }

  // The row mdb_fetch_row has just read, from its stored bytes: the
  // library's own values lose characters beyond U+FFFF and read empty
  // text as Null.
  std::vector<Variant> CurrentRow(std::size_t number) {
    int start = 0;
    std::size_t size = 0;
    std::array<MdbField, MDB_MAX_COLS> fields{};
    RowName row{shape_.name, number, {}};
    if (mdb_find_row(mdb_, static_cast<int>(table_->cur_row) - 1, &start, &size) != 0 ||
        mdb_crack_row(table_, start & kRowOffsetMask, size, fields.data()) < 0) {
      Refuse(row.Text(shape_.columns.front()) + u": 行を読めません。");
    }
    std::vector<Variant> values;
    values.reserve(columnIndexes_.size());
    for (std::size_t i = 0; i < columnIndexes_.size(); ++i) {
      values.push_back(
          Value(fields[columnIndexes_[i]], ColumnAt(table_, columnIndexes_[i]), row, shape_.columns[i]));
      if (i == 0 && values[0].IsString()) row.key = values[0].AsString();
    }
    return values;
  }

  Variant Value(const MdbField& field, const MdbColumn* column, const RowName& row,
                std::u16string_view name) const {
    if (field.is_null) return Variant::Null();
    const unsigned char* bytes = mdb_->pg_buf + field.start;
    switch (column->col_type) {
      case MDB_BYTE:
        return Variant(static_cast<std::int32_t>(bytes[0]));
      case MDB_INT:
        return Variant::Integer(static_cast<std::int16_t>(mdb_get_int16(mdb_->pg_buf, field.start)));
      case MDB_LONGINT:
        return Variant(static_cast<std::int32_t>(mdb_get_int32(mdb_->pg_buf, field.start)));
      case MDB_FLOAT:
        return Variant(static_cast<double>(mdb_get_single(mdb_->pg_buf, field.start)));
      case MDB_DOUBLE:
        return Variant(mdb_get_double(mdb_->pg_buf, field.start));
      case MDB_DATETIME:
        return Variant::Date(mdb_get_double(mdb_->pg_buf, field.start));
      default:
        return Variant(Text(std::string_view(reinterpret_cast<const char*>(bytes), field.siz), row, name));
    }
  }

  std::u16string Text(std::string_view bytes, const RowName& row, std::u16string_view name) const {
    if (!IS_JET3(mdb_)) {
      auto text = DecodeStoredText(bytes);
      if (!text) Refuse(row.Text(name) + u": 文字の途中で終わる値です。");
      return *std::move(text);
    }
    // Jet 3 stores text in the file's code page, which the library turns
    // into UTF-8; it puts "?" for bytes the code page lacks, which shows
    // as more question marks than the stored bytes hold.
    std::string utf8(bytes.size() * 4 + 1, '\0');
    const int length = mdb_unicode2ascii(mdb_, bytes.data(), bytes.size(), utf8.data(), utf8.size());
    utf8.resize(static_cast<std::size_t>(length));
    if (std::count(utf8.begin(), utf8.end(), '?') != std::count(bytes.begin(), bytes.end(), '?') ||
        !convert::IsValidUtf8(utf8)) {
      Refuse(row.Text(name) + u": ファイルのコードページで読めない文字があります。");
    }
    return Utf8ToUtf16(utf8);
  }

  MdbHandle* mdb_;
  MdbTableDef* table_;
  const PointsTableShape& shape_;
  std::vector<std::size_t> columnIndexes_;
};

}  // namespace

AccessTablesRead ReadAccessTables(const std::u16string& path, const std::vector<PointsTableShape>& shapes) {
  // Read-only: the library's writing routines are never called.
  AccessFile mdb(mdb_open(convert::NativePath(path).c_str(), MDB_NOFLAGS));
  if (!mdb) Refuse(u"Access のデータベースとして開けません: " + path);
  AccessTablesRead read;
  for (const auto& shape : shapes) {
    MdbCatalogEntry* entry = FindTable(mdb.get(), shape.name);
    if (!entry)
      Refuse(u"Access のデータベースに " + std::u16string(shape.name) + u" テーブルがありません: " + path);
    AccessTable table(mdb_read_table(entry));
    if (!table)
      Refuse(u"Access のデータベースの " + std::u16string(shape.name) + u" テーブルを読めません: " + path);
    read.tables.push_back(TableReader(mdb.get(), table.get(), shape).Read(read.leftOut));
  }
  return read;
}

}  // namespace pointimport::outside::access

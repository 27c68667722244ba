#pragma once

#include <functional>

#include "outside/connection.h"
#include "outside/sqlite_handle.h"

namespace pointimport::outside {

// The rows of one SELECT, read as they are stepped. Column values come back
// as Null, Long (integers that fit 32 bits), Double or String.
class SqliteRecordSet : public RecordSet {
 public:
  // release, when given, takes the statement back when the rows are done.
  using Release = std::function<void(SqliteStatement)>;
  SqliteRecordSet(SqliteDatabase database, SqliteStatement statement, Release release = {});
  ~SqliteRecordSet() override;
  SqliteRecordSet(const SqliteRecordSet&) = delete;
  SqliteRecordSet& operator=(const SqliteRecordSet&) = delete;

  bool Eof() const override;
  Field Fields(std::u16string_view name) const override;
  void MoveNext() override;
  void Close() override;

 private:
  SqliteDatabase database_;
  SqliteStatement statement_;
  Release release_;
  bool onRow_ = false;
};

}  // namespace pointimport::outside

#pragma once

#include <memory>

#include "outside/connection.h"
#include "outside/sqlite/sqlite_handle.h"
#include "outside/sqlite/statement_cache.h"

namespace pointimport::outside::sqlite {

// The rows of one SELECT, read as they are stepped. Column values come back
// as Null, Long (integers that fit 32 bits), Double or String.
class SqliteRecordSet : public RecordSet {
 public:
  // cache, when given, takes the statement back into slot when the rows are
  // done (finalizing it where slot is nullptr).
  SqliteRecordSet(SqliteDatabase database, SqliteStatement statement,
                  std::shared_ptr<StatementCache> cache = nullptr, StatementCache::Slot* slot = nullptr);
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
  std::shared_ptr<StatementCache> cache_;
  StatementCache::Slot* slot_;
  bool onRow_ = false;
};

}  // namespace pointimport::outside::sqlite

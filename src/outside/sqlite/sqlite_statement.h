#pragma once

#include <sqlite3.h>

#include <string>
#include <string_view>

#include "outside/sqlite/sqlite_handle.h"

namespace pointimport::outside::sqlite {

// One prepared statement, finalized when it goes. A failure to prepare,
// bind or step is kept, not thrown: each caller names it in its own terms
// (a locked file, a file that is no database), from the database's last
// error. Once failed, the statement does nothing until Reset.
class Statement {
 public:
  Statement() = default;
  Statement(sqlite3* db, std::string_view sql);

  explicit operator bool() const noexcept { return statement_ != nullptr; }

  // Binds a copy of the text to the parameter ?index.
  void Bind(int index, std::u16string_view text);
  // True on a row; false at the end and after a failure.
  bool Step();
  bool Failed() const noexcept { return failed_; }

  int ColumnInt(int column) const;
  double ColumnDouble(int column) const;
  std::u16string ColumnText(int column) const;

  // Ready to run again, with nothing bound and no failure.
  void Reset() noexcept;

 private:
  SqliteStatement statement_;
  bool failed_ = false;
};

}  // namespace pointimport::outside::sqlite

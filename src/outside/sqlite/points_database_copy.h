#pragma once

#include <string>
#include <vector>

#include "outside/points_tables.h"
#include "outside/sqlite/points_database_file.h"

namespace pointimport::outside::sqlite {

struct CopyDatabaseResult {
  CreateDatabaseStatus status;  // Created, Refused or Failed
  std::u16string reason;
  // Each value stored otherwise than it was read, with its row.
  std::vector<std::u16string> inexact;
};

// Creates a points database at path that holds the rows, each value stored
// as the import stores it: a date as its "yyyy/mm/dd hh:nn:ss" text, a place
// that is a whole number as an integer, a double with every bit, and Null
// as NULL apart from empty text. Never changes an existing file, and the new
// file appears whole, with every row, or not at all.
CopyDatabaseResult CreatePointsDatabaseWithRows(const std::u16string& path,
                                                const std::vector<TableRows>& tables);

}  // namespace pointimport::outside::sqlite

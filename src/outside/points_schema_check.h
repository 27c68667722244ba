#pragma once

#include <sqlite3.h>

#include <string>

namespace pointimport::outside {

// Checks that the database at db holds the tables EVENT, PERSON and RESULT
// with every column the import's statements name (case-insensitive, as
// SQLite compares names). Columns, indexes, triggers and constraints of the
// operator's own are allowed. Raises a RuntimeError that names what is
// missing, or that the database is locked or no database at all; path only
// goes into the message.
void CheckPointsSchema(sqlite3* db, const std::u16string& path);

}  // namespace pointimport::outside

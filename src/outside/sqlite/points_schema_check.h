#pragma once

#include <sqlite3.h>

#include <string>

namespace pointimport::outside::sqlite {

// Checks that the database at db holds the tables EVENT, PERSON and RESULT
// with every column the import's statements name (case-insensitive, as
// SQLite compares names). Columns, indexes, triggers and constraints of the
// operator's own are allowed. Raises a RuntimeError that names what is
// missing, or that the database is locked or no database at all; path only
// goes into the message.
void CheckPointsSchema(sqlite3* db, const std::u16string& path);

// True when a refused statement may keep part of its changes: the schema
// names the FAIL resolution (ON CONFLICT FAIL, OR FAIL, RAISE(FAIL, ...)),
// which stops a statement without undoing what it did so far. Under every
// other resolution SQLite undoes the refused statement by itself (ABORT),
// skips or replaces rows without an error (IGNORE, REPLACE), or rolls back
// the whole transaction, which the connection notices. Also true when the
// schema cannot be read, to be safe.
bool SchemaMayKeepPartOfARefusedStatement(sqlite3* db);

}  // namespace pointimport::outside::sqlite

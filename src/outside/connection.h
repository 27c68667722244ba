#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "convert/variant.h"
#include "outside/object.h"

namespace pointimport::outside {

struct Field {
  convert::Variant Value;
  // False when Value is not exactly what is stored: bytes that are no UTF-8
  // text (another encoding, a BLOB) read as text with U+FFFD in place.
  bool readExactly = true;
};

// The rows a SELECT returned, positioned on the first one.
class RecordSet {
 public:
  virtual ~RecordSet() = default;
  virtual bool Eof() const = 0;
  // The named column (case-insensitive) of the current row. Raises an error
  // on a closed or exhausted record set, or for an unknown column.
  virtual Field Fields(std::u16string_view name) const = 0;
  virtual void MoveNext() = 0;
  virtual void Close() = 0;
};

// The points database connection, behind cnDb.
//
// Every failure raises a RuntimeError with error_number::kDatabaseError and
// a description that includes the database's own message.
class Connection : public Object {
 public:
  virtual void Open(const std::u16string& connectionString) = 0;

  // Runs exactly one SQL statement. A SELECT returns its record set; other
  // statements return nullptr and, where recordsAffected is given, set it
  // to the number of rows the statement inserted, changed or deleted.
  virtual std::unique_ptr<RecordSet> Execute(const std::u16string& statement,
                                             std::int64_t* recordsAffected) = 0;
  std::unique_ptr<RecordSet> Execute(const std::u16string& statement) { return Execute(statement, nullptr); }

  // Runs one statement without rows so that its failure undoes that
  // statement alone, also inside a transaction; the failure is then raised
  // as by Execute. Returns the records affected: a schema may drop a row
  // without an error (ON CONFLICT IGNORE, RAISE(IGNORE)), leaving 0.
  virtual std::int64_t ExecuteInSavepoint(const std::u16string& statement) = 0;

  virtual void BeginTrans() = 0;
  virtual void CommitTrans() = 0;
  virtual void RollbackTrans() = 0;

  // Closes the connection; on one that never opened it does nothing.
  virtual void Close() = 0;
};

}  // namespace pointimport::outside

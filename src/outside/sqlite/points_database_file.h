#pragma once

#include <string>

namespace pointimport::outside::sqlite {

// The fixed file name of the points database.
inline constexpr char16_t kPointsDatabaseFileName[] = u"RovevizoduziDivoz.mdb";

enum class CreateDatabaseStatus {
  Created,        // a new file with the schema
  AlreadyExists,  // a points database was there and was left as it was
  Refused,        // another file is in the way; it was left as it was
  Failed,         // the file could not be written
};

struct CreateDatabaseResult {
  CreateDatabaseStatus status;
  std::u16string reason;
};

// Creates an empty points database at path. Never changes an existing file.
// The new file appears whole or not at all: it is written beside the target
// and linked into place only when complete.
CreateDatabaseResult CreatePointsDatabase(const std::u16string& path);

}  // namespace pointimport::outside::sqlite

#pragma once

#include <cstddef>
#include <string>

namespace pointimport::outside::lapfile {

enum class FileReadStatus {
  Read,
  CannotRead,  // missing, not a regular file, no permission, or a read error
  TooLarge,
};

struct FileReadResult {
  FileReadStatus status;
  std::u16string reason;  // why, when not Read
  std::string bytes;      // when Read
};

// Reads a regular file whole, refusing one of more than maxBytes bytes,
// also when it grows while being read.
FileReadResult ReadWholeFile(const std::u16string& path, std::size_t maxBytes);

}  // namespace pointimport::outside::lapfile

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pointimport::platform {

enum class ReadFailure {
  None,
  Missing,  // no such file or folder on the way
  NoPermission,
  Folder,
  Fifo,
  NotRegular,  // a device, a socket
  TooLarge,
  Other,  // any other error of the system: see systemMessage
};

struct FileBytes {
  ReadFailure failure = ReadFailure::None;
  std::string bytes;            // when None
  unsigned long long size = 0;  // when TooLarge: what the file holds, or at least holds
  bool sizeAtLeast = false;     // the file grew while it was read, and size is how far it got
  std::string systemMessage;    // when Other, in the system's words
};

// Reads a regular file whole, refusing one of more than maxBytes bytes, also
// when it grows while being read. Whatever stands in the file's place, a FIFO
// included, is refused without waiting for it.
FileBytes ReadFileBounded(std::u16string_view path, std::size_t maxBytes);

}  // namespace pointimport::platform

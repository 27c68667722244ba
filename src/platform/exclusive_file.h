#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>

namespace pointimport::platform {

// A file this program made itself under a name that nobody held before: a
// file, a folder or a link already standing there is never written through.
// Until it is kept, the file goes again with the object, so that a write that
// fails, or a command that stops early, leaves nothing half-written behind.
class ExclusiveFile {
 public:
  ExclusiveFile() = default;
  ~ExclusiveFile();
  ExclusiveFile(const ExclusiveFile&) = delete;
  ExclusiveFile& operator=(const ExclusiveFile&) = delete;

  // Makes the file at path; std::errc::file_exists when the name is taken.
  std::error_code Create(std::u16string_view path);

  // Writes all of bytes and closes the file.
  std::error_code WriteAndClose(std::string_view bytes);

  // The written file takes the place of destination, replacing a file (or a
  // link) standing there in one step, and is kept there.
  std::error_code RenameTo(std::u16string_view destination);

  // The written file stays where it was made.
  void Keep() { path_.clear(); }

 private:
  std::u16string path_;
  std::intptr_t handle_ = -1;  // the system's handle of the open file, -1 when closed
};

// The longest file name, in bytes of UTF-8, that folder can hold.
std::size_t FileNameLimit(std::u16string_view folder);

}  // namespace pointimport::platform

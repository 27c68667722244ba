#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "convert/utf.h"
#include "platform/file_system.h"

namespace pointimport::platform {

const char16_t kPathSeparator = u'/';

std::filesystem::path FilesystemPath(std::u16string_view path) {
  // From bytes: libstdc++ would otherwise read a UTF-16 string as UTF-8 and
  // lose the bytes of a name that is not text.
  return std::filesystem::path(convert::NativePath(path));
}

std::u16string FromFilesystemPath(const std::filesystem::path& path) {
  return convert::PathFromNative(path.native());
}

FileStatus StatusOf(std::u16string_view path) {
  const std::string native = convert::NativePath(path);
  struct stat info {};
  FileStatus status;
  if (::stat(native.c_str(), &info) != 0) {
    status.danglingLink = ::lstat(native.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
    return status;
  }
  status.kind = S_ISREG(info.st_mode)   ? FileKind::Regular
                : S_ISDIR(info.st_mode) ? FileKind::Folder
                                        : FileKind::Other;
  status.identity = {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
  return status;
}

MoveResult MoveToFreeName(std::u16string_view from, std::u16string_view to, std::string& error) {
  const std::string source = convert::NativePath(from);
  // link() refuses a name that is taken, where rename() would replace it.
  const int linked = ::link(source.c_str(), convert::NativePath(to).c_str());
  const int linkError = errno;
  if (linked != 0) {
    if (linkError == EEXIST) return MoveResult::NameTaken;
    error = std::strerror(linkError);
    return MoveResult::Failed;
  }
  ::unlink(source.c_str());
  return MoveResult::Moved;
}

bool IsWritable(std::u16string_view path) { return ::access(convert::NativePath(path).c_str(), W_OK) == 0; }

bool RemoveFile(std::u16string_view path) { return ::unlink(convert::NativePath(path).c_str()) == 0; }

std::u16string ProcessTag() { return convert::Utf8ToUtf16(std::to_string(::getpid())); }

}  // namespace pointimport::platform

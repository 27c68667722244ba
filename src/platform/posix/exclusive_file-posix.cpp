#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>

#include "convert/utf.h"
#include "platform/exclusive_file.h"

namespace pointimport::platform {

namespace {

std::error_code LastError() { return {errno, std::generic_category()}; }

}  // namespace

ExclusiveFile::~ExclusiveFile() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
  if (!path_.empty()) ::unlink(convert::NativePath(path_).c_str());
}

std::error_code ExclusiveFile::Create(std::u16string_view path) {
  // O_EXCL fails on any name that is taken, a link to anywhere included;
  // 0666 leaves the rest to the user's umask, as for any file they save.
  handle_ = ::open(convert::NativePath(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (handle_ < 0) return LastError();
  path_ = path;
  return {};
}

std::error_code ExclusiveFile::WriteAndClose(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(static_cast<int>(handle_), bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return LastError();
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  const int closed = ::close(static_cast<int>(handle_));
  handle_ = -1;
  // A full disk may show only now, on a network file system.
  return closed == 0 ? std::error_code() : LastError();
}

std::error_code ExclusiveFile::RenameTo(std::u16string_view destination) {
  if (std::rename(convert::NativePath(path_).c_str(), convert::NativePath(destination).c_str()) != 0) {
    return LastError();
  }
  Keep();
  return {};
}

std::size_t FileNameLimit(std::u16string_view folder) {
  const long limit = ::pathconf(convert::NativePath(folder).c_str(), _PC_NAME_MAX);
  return limit > 0 ? static_cast<std::size_t>(limit) : NAME_MAX;
}

}  // namespace pointimport::platform

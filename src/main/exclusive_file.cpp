#include "main/exclusive_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>

namespace pointimport::main {

namespace {

std::error_code LastError() { return {errno, std::generic_category()}; }

}  // namespace

ExclusiveFile::~ExclusiveFile() {
  if (descriptor_ >= 0) ::close(descriptor_);
  if (!path_.empty()) ::unlink(path_.c_str());
}

std::error_code ExclusiveFile::Create(const std::string& path) {
  // O_EXCL fails on any name that is taken, a link to anywhere included;
  // 0666 leaves the rest to the user's umask, as for any file they save.
  descriptor_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (descriptor_ < 0) return LastError();
  path_ = path;
  return {};
}

std::error_code ExclusiveFile::WriteAndClose(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return LastError();
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  const int closed = ::close(descriptor_);
  descriptor_ = -1;
  // A full disk may show only now, on a network file system.
  return closed == 0 ? std::error_code() : LastError();
}

std::error_code ExclusiveFile::RenameTo(const std::string& destination) {
  if (std::rename(path_.c_str(), destination.c_str()) != 0) return LastError();
  Keep();
  return {};
}

std::size_t FileNameLimit(const std::string& folder) {
  const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  return limit > 0 ? static_cast<std::size_t>(limit) : NAME_MAX;
}

}  // namespace pointimport::main

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "convert/utf.h"
#include "platform/read_file.h"

namespace pointimport::platform {

namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

FileBytes Failure(ReadFailure failure) { return {.failure = failure}; }

FileBytes SystemError(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return Failure(ReadFailure::Missing);
    case EACCES:
    case EPERM:
      return Failure(ReadFailure::NoPermission);
    case EISDIR:
      return Failure(ReadFailure::Folder);
    default:
      return {.failure = ReadFailure::Other, .systemMessage = std::strerror(error)};
  }
}

FileBytes TooLarge(unsigned long long size, bool atLeast) {
  return {.failure = ReadFailure::TooLarge, .size = size, .sizeAtLeast = atLeast};
}

}  // namespace

FileBytes ReadFileBounded(std::u16string_view path, std::size_t maxBytes) {
  // Non-blocking, so that a FIFO in place of the file cannot hang the open;
  // regular files ignore the flag.
  FileDescriptor file(::open(convert::NativePath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.Get() < 0) return SystemError(errno);
  struct stat status {};
  if (::fstat(file.Get(), &status) != 0) return SystemError(errno);
  if (S_ISDIR(status.st_mode)) return Failure(ReadFailure::Folder);
  if (S_ISFIFO(status.st_mode)) return Failure(ReadFailure::Fifo);
  if (!S_ISREG(status.st_mode)) return Failure(ReadFailure::NotRegular);
  const auto size = static_cast<unsigned long long>(status.st_size);
  if (size > maxBytes) return TooLarge(size, false);

  std::string bytes;
  bytes.resize(static_cast<std::size_t>(status.st_size) + 1);
  std::size_t total = 0;
  for (;;) {
    if (total == bytes.size()) {
      if (total > maxBytes) return TooLarge(total, true);
      bytes.resize(std::min(bytes.size() * 2, maxBytes + 1));
    }
    const ssize_t got = ::read(file.Get(), bytes.data() + total, bytes.size() - total);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return SystemError(errno);
    if (got == 0) break;
    total += static_cast<std::size_t>(got);
  }
  if (total > maxBytes) return TooLarge(total, true);
  bytes.resize(total);
  return {.bytes = std::move(bytes)};
}

}  // namespace pointimport::platform

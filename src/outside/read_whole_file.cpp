#include "outside/read_whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "convert/utf.h"

namespace pointimport::outside {

using convert::Utf8ToUtf16;

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

FileReadResult CannotRead(const std::u16string& path, const char* why) {
  return {FileReadStatus::CannotRead, u"ファイルを読めません: " + path + u" (" + Utf8ToUtf16(why) + u")", {}};
}

FileReadResult TooLarge(const std::u16string& path, std::size_t maxBytes) {
  return {FileReadStatus::TooLarge,
          u"ファイルが大きすぎます: " + path + u" (" + Utf8ToUtf16(std::to_string(maxBytes)) + u" バイトまで)",
          {}};
}

}  // namespace

FileReadResult ReadWholeFile(const std::u16string& path, std::size_t maxBytes) {
  // Non-blocking, so that a FIFO in place of the file cannot hang the open;
  // regular files ignore the flag.
  FileDescriptor file(::open(convert::Utf16ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.Get() < 0) return CannotRead(path, std::strerror(errno));
  struct stat status {};
  if (::fstat(file.Get(), &status) != 0) return CannotRead(path, std::strerror(errno));
  if (!S_ISREG(status.st_mode)) return CannotRead(path, "not a regular file");
  if (static_cast<unsigned long long>(status.st_size) > maxBytes) return TooLarge(path, maxBytes);

  std::string bytes;
  bytes.resize(static_cast<std::size_t>(status.st_size) + 1);
  std::size_t total = 0;
  for (;;) {
    if (total == bytes.size()) {
      if (total > maxBytes) return TooLarge(path, maxBytes);
      bytes.resize(std::min(bytes.size() * 2, maxBytes + 1));
    }
    const ssize_t got = ::read(file.Get(), bytes.data() + total, bytes.size() - total);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return CannotRead(path, std::strerror(errno));
    if (got == 0) break;
    total += static_cast<std::size_t>(got);
  }
  if (total > maxBytes) return TooLarge(path, maxBytes);
  bytes.resize(total);
  return {FileReadStatus::Read, {}, std::move(bytes)};
}

}  // namespace pointimport::outside

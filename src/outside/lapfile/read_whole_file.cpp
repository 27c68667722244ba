#include "outside/lapfile/read_whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "convert/utf.h"
#include "outside/lapfile/file_name_text.h"

namespace pointimport::outside::lapfile {

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

FileReadResult CannotRead(std::u16string reason) { return {FileReadStatus::CannotRead, std::move(reason), {}}; }

// Why a file cannot be opened or read, from the error the system gave.
FileReadResult SystemError(const std::u16string& path, int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return CannotRead(u"ファイルが見つかりません: " + ShownPath(path));
    case EACCES:
    case EPERM:
      return CannotRead(u"ファイルを読む権限がありません: " + ShownPath(path));
    case EISDIR:
      return CannotRead(u"フォルダーはファイルとして読めません: " + ShownPath(path));
    default:
      return CannotRead(u"ファイルを読めません: " + ShownPath(path) + u" (" +
                        Utf8ToUtf16(std::strerror(error)) + u")");
  }
}

FileReadResult NotARegularFile(const std::u16string& path, mode_t mode) {
  if (S_ISDIR(mode)) return CannotRead(u"フォルダーはファイルとして読めません: " + ShownPath(path));
  if (S_ISFIFO(mode))
    return CannotRead(u"名前付きパイプ (FIFO) はファイルとして読めません: " + ShownPath(path));
  return CannotRead(u"通常のファイルではないので読めません: " + ShownPath(path));
}

// size is what the file holds, or at least holds, as far as it was read.
FileReadResult TooLarge(const std::u16string& path, unsigned long long size, bool atLeast,
                        std::size_t maxBytes) {
  return {FileReadStatus::TooLarge,
          u"ファイルが大きすぎます: " + ShownPath(path) + u" (" + Utf8ToUtf16(std::to_string(size)) +
              (atLeast ? u" バイト以上" : u" バイト") + u"、読めるのは " +
              Utf8ToUtf16(std::to_string(maxBytes)) + u" バイトまで)",
          {}};
}

}  // namespace

FileReadResult ReadWholeFile(const std::u16string& path, std::size_t maxBytes) {
  // Non-blocking, so that a FIFO in place of the file cannot hang the open;
  // regular files ignore the flag.
  FileDescriptor file(::open(convert::NativePath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.Get() < 0) return SystemError(path, errno);
  struct stat status {};
  if (::fstat(file.Get(), &status) != 0) return SystemError(path, errno);
  if (!S_ISREG(status.st_mode)) return NotARegularFile(path, status.st_mode);
  const auto size = static_cast<unsigned long long>(status.st_size);
  if (size > maxBytes) return TooLarge(path, size, false, maxBytes);

  std::string bytes;
  bytes.resize(static_cast<std::size_t>(status.st_size) + 1);
  std::size_t total = 0;
  for (;;) {
    if (total == bytes.size()) {
      if (total > maxBytes) return TooLarge(path, total, true, maxBytes);
      bytes.resize(std::min(bytes.size() * 2, maxBytes + 1));
    }
    const ssize_t got = ::read(file.Get(), bytes.data() + total, bytes.size() - total);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return SystemError(path, errno);
    if (got == 0) break;
    total += static_cast<std::size_t>(got);
  }
  if (total > maxBytes) return TooLarge(path, total, true, maxBytes);
  bytes.resize(total);
  return {FileReadStatus::Read, {}, std::move(bytes)};
}

}  // namespace pointimport::outside::lapfile

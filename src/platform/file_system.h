#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// What the system asks of the file system beyond standard C++. Paths travel
// inside as UTF-16 (see convert::PathFromNative for names that are not text);
// each platform turns them into its own form here and nowhere else.
namespace pointimport::platform {

// The separator a folder and a name are joined with.
extern const char16_t kPathSeparator;

// The standard library's path for a path held inside, and back.
std::filesystem::path FilesystemPath(std::u16string_view path);
std::u16string FromFilesystemPath(const std::filesystem::path& path);

enum class FileKind {
  None,     // nothing under the name, or a link to nowhere
  Regular,  // a file
  Folder,
  Other,  // a FIFO, a device, a socket
};

// Two names name the same file exactly when their identities are equal.
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t file = 0;
  bool operator==(const FileIdentity&) const = default;
};

struct FileStatus {
  FileKind kind = FileKind::None;
  FileIdentity identity;      // when kind is not None
  bool danglingLink = false;  // the name is a symbolic link whose target is missing
};

// Follows links, as opening the name would.
FileStatus StatusOf(std::u16string_view path);

enum class MoveResult { Moved, NameTaken, Failed };

// Gives the finished file `from` the name `to` unless a file already has that
// name, which is never replaced; on success `from` is gone. error holds the
// system's words when the result is Failed.
MoveResult MoveToFreeName(std::u16string_view from, std::u16string_view to, std::string& error);

// True when this process may write the file, or make files in the folder.
bool IsWritable(std::u16string_view path);

// Removes the file; false when it could not be removed (missing included).
bool RemoveFile(std::u16string_view path);

// A text that no other running process of the program uses: for temporary
// names beside a file.
std::u16string ProcessTag();

}  // namespace pointimport::platform

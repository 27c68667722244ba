#include "platform/file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/program_folder.h"
#include "support/temp_dir.h"

namespace pointimport::platform {
namespace {

using test_support::TempDir;
using test_support::WriteFileBytes;

std::u16string Inside(const std::filesystem::path& path) { return FromFilesystemPath(path); }

TEST(StatusOf, TellsEachKindOfName) {
  TempDir dir;
  WriteFileBytes(dir.File("file"), "x");
  std::filesystem::create_directory(dir.File("folder"));
  ::mkfifo(dir.File("fifo").c_str(), 0600);
  std::filesystem::create_symlink(dir.File("file"), dir.File("link"));
  std::filesystem::create_symlink(dir.File("missing"), dir.File("dangling"));
  // A name that is not UTF-8 is still found by its own bytes.
  WriteFileBytes(dir.Path() / "\x93\x8c\x8b\x9e", "x");
  const struct {
    const char* name;
    FileKind kind;
    bool dangling;
  } cases[] = {
      {"file", FileKind::Regular, false},
      {"folder", FileKind::Folder, false},
      {"fifo", FileKind::Other, false},
      {"link", FileKind::Regular, false},
      {"dangling", FileKind::None, true},
      {"missing", FileKind::None, false},
      {"\x93\x8c\x8b\x9e", FileKind::Regular, false},
  };
  for (const auto& c : cases) {
    const FileStatus status = StatusOf(Inside(dir.File(c.name)));
    EXPECT_EQ(status.kind, c.kind) << c.name;
    EXPECT_EQ(status.danglingLink, c.dangling) << c.name;
  }
  EXPECT_EQ(StatusOf(Inside(dir.File("link"))).identity, StatusOf(Inside(dir.File("file"))).identity);
  EXPECT_NE(StatusOf(Inside(dir.File("folder"))).identity, StatusOf(Inside(dir.File("file"))).identity);
}

TEST(MoveToFreeName, NeverReplacesATakenName) {
  TempDir dir;
  WriteFileBytes(dir.File("new"), "new");
  WriteFileBytes(dir.File("taken"), "old");
  std::string error;
  EXPECT_EQ(MoveToFreeName(Inside(dir.File("new")), Inside(dir.File("taken")), error), MoveResult::NameTaken);
  EXPECT_EQ(test_support::ReadFileBytes(dir.File("taken")), "old");
  EXPECT_EQ(MoveToFreeName(Inside(dir.File("new")), Inside(dir.File("free")), error), MoveResult::Moved);
  EXPECT_EQ(test_support::ReadFileBytes(dir.File("free")), "new");
  EXPECT_FALSE(std::filesystem::exists(dir.File("new")));
}

TEST(ProgramFolder, IsTheFolderOfTheRunningExecutable) {
  EXPECT_TRUE(std::filesystem::exists(FilesystemPath(ProgramFolder()) / "core_tests"));
}

}  // namespace
}  // namespace pointimport::platform

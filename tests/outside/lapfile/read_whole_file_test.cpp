#include "outside/lapfile/read_whole_file.h"

#include <gtest/gtest.h>

#include "convert/utf.h"
#include "support/temp_dir.h"

namespace pointimport::outside::lapfile {
namespace {

using test_support::TempDir;
using test_support::WriteFileBytes;

std::u16string U16(const std::filesystem::path& path) { return convert::Utf8ToUtf16(path.string()); }

TEST(ReadWholeFile, ReadsUpToTheLimitAndRefusesMore) {
  TempDir dir;
  WriteFileBytes(dir.File("ten"), std::string("0123456789"));
  const FileReadResult read = ReadWholeFile(U16(dir.File("ten")), 10);
  EXPECT_EQ(read.status, FileReadStatus::Read);
  EXPECT_EQ(read.bytes, "0123456789");
  EXPECT_EQ(ReadWholeFile(U16(dir.File("ten")), 9).status, FileReadStatus::TooLarge);

  WriteFileBytes(dir.File("empty"), "");
  EXPECT_EQ(ReadWholeFile(U16(dir.File("empty")), 10).status, FileReadStatus::Read);
}

TEST(ReadWholeFile, FailsForWhatIsNoReadableFile) {
  TempDir dir;
  for (const auto& path : {dir.File("missing.xml"), dir.Path()}) {
    const FileReadResult read = ReadWholeFile(U16(path), 100);
    EXPECT_EQ(read.status, FileReadStatus::CannotRead) << path;
    EXPECT_NE(read.reason.find(U16(path)), std::u16string::npos);
  }
}

}  // namespace
}  // namespace pointimport::outside::lapfile

#include "platform/exclusive_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file_system.h"
#include "support/temp_dir.h"

namespace pointimport::platform {
namespace {

// Whatever stands at a name, a link above all, is never written through, and
// a file that is not kept goes again.
TEST(ExclusiveFile, MakesOnlyNewFilesAndLeavesNoneUnlessKept) {
  namespace fs = std::filesystem;
  enum class Standing { Nothing, LinkToFile, LinkToNowhere };
  const struct {
    Standing standing;
    bool keep;
    bool created;
  } cases[] = {
      {Standing::Nothing, true, true},
      {Standing::Nothing, false, true},
      {Standing::LinkToFile, true, false},
      {Standing::LinkToNowhere, true, false},
  };
  for (const auto& c : cases) {
    test_support::TempDir dir;
    const fs::path name = dir.File("report.html"), target = dir.File("target");
    if (c.standing == Standing::LinkToFile) test_support::WriteFileBytes(target, "theirs");
    if (c.standing != Standing::Nothing) fs::create_symlink(target, name);
    {
      ExclusiveFile file;
      const std::error_code error = file.Create(FromFilesystemPath(name));
      ASSERT_EQ(!error, c.created) << error.message();
      if (c.created) {
        EXPECT_FALSE(file.WriteAndClose("mine"));
      }
      if (c.keep) file.Keep();
    }
    EXPECT_EQ(fs::exists(fs::symlink_status(name)), c.keep || !c.created);
    if (c.created && c.keep) {
      EXPECT_EQ(test_support::ReadFileBytes(name), "mine");
    }
    EXPECT_EQ(test_support::ReadFileBytes(target), c.standing == Standing::LinkToFile ? "theirs" : "");
  }
}

}  // namespace
}  // namespace pointimport::platform

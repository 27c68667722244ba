#include "main/report_file.h"

#include <gtest/gtest.h>

#include "convert/utf.h"
#include "support/temp_dir.h"

namespace pointimport::main {
namespace {

std::string Repeat(const std::string& text, int times) {
  std::string repeated;
  while (times-- > 0) repeated += text;
  return repeated;
}

// Saved twice in the same second: the second file gets its own name.
TEST(SaveHtmlReport, NamesTheFileAfterASafeKeywordAndTheTime) {
  struct Case {
    std::u16string keyword;
    std::string first, second;
  } cases[] = {
      // Cut between characters to 255 bytes with the time and the suffix.
      {convert::Utf8ToUtf16(Repeat("漢", 79)), Repeat("漢", 78) + "_20261209-",
       Repeat("漢", 77) + "_20261209-"},
      {convert::Utf8ToUtf16("a" + Repeat("𠮷", 60)), "a" + Repeat("𠮷", 58) + "_",
       "a" + Repeat("𠮷", 57) + "_"},
      {u"KANTO-2024", "KANTO-2024_20261209-", "KANTO-2024_20261209-"},
      {u"a/b:c*?\"<>|\\d\x01", "a_b_c_______d__20261209-", "a_b_c_______d__20261209-"},
      {u".hidden 大会", "_hidden 大会_20261209-", "_hidden 大会_20261209-"},
      {u"", "report_20261209-", "report_20261209-"},
  };
  const std::time_t noon = 1796817600;  // 2026-12-09 12:00 UTC, the same date in every zone
  for (const auto& c : cases) {
    test_support::TempDir dir;
    const std::u16string folder = convert::PathFromNative((dir.Path() / "reports").string());
    import::ImportReport report;
    report.keyword = c.keyword;
    const SavedReport first = SaveHtmlReport(report, folder, noon);
    const SavedReport second = SaveHtmlReport(report, folder, noon);
    ASSERT_TRUE(first.saved && second.saved) << convert::Utf16ToUtf8(first.reason + second.reason);
    const std::string firstName = std::filesystem::path(convert::NativePath(first.path)).filename().string();
    const std::string secondName = std::filesystem::path(convert::NativePath(second.path)).filename().string();
    EXPECT_TRUE(firstName.starts_with(c.first) && firstName.ends_with("00.html")) << firstName;
    EXPECT_TRUE(secondName.starts_with(c.second) && secondName.ends_with("00-2.html")) << secondName;
    EXPECT_NE(test_support::ReadFileBytes(dir.Path() / "reports" / firstName).find("<html"), std::string::npos);
  }
}

}  // namespace
}  // namespace pointimport::main

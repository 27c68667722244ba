// Faults of the database around an import: each stops the run with a clear
// error and leaves the database exactly as it was.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "convert/number_text.h"
#include "convert/runtime_error.h"
#include "convert/utf.h"
#include "support/import_fixture.h"

namespace pointimport::import {
namespace {

using convert::Variant;
using test_support::FakeEvent;
using test_support::Runner;

FakeEvent LargeEvent(const std::u16string& keyword, int runners) {
  FakeEvent event;
  event.fileName = Variant(keyword);
  event.classes = {{u"M21", {}}};
  for (int i = 0; i < runners; ++i) {
    event.classes[0].results.push_back(Runner(u"走者" + convert::FormatInteger(i) + std::u16string(200, u'名'),
                                              Variant(i + 1), u"0:30:00", std::u16string(200, u'会')));
  }
  return event;
}

class ImportFaultTest : public test_support::ImportTest {
 protected:
  void SetUp() override {
    Import(LargeEvent(u"E1", 50));
    Import(LargeEvent(u"E2", 50));
    before_ = Snapshot();
  }

  void ExpectStoppedWithNothingWritten(const char* cause) {
    const std::u16string description = ImportFailing(LargeEvent(u"E1", 400));
    EXPECT_NE(convert::Utf16ToUtf8(description).find(cause), std::string::npos)
        << convert::Utf16ToUtf8(description);
    EXPECT_EQ(Snapshot(), before_);
  }

  std::vector<std::string> before_;
};

TEST_F(ImportFaultTest, ReadOnlyDatabase) {
  Execute(u"PRAGMA query_only = 1");
  ExpectStoppedWithNothingWritten("readonly");
}

TEST_F(ImportFaultTest, FullDisk) {
  const auto pages = Rows("PRAGMA page_count");
  Execute(u"PRAGMA max_page_count = " + convert::Utf8ToUtf16(pages.at(0)));
  ExpectStoppedWithNothingWritten("full");
}

TEST_F(ImportFaultTest, DatabaseLockedByAnotherWriter) {
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(path_.c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE; INSERT INTO EVENT (ID) VALUES ('theirs')", nullptr, nullptr,
                         nullptr),
            SQLITE_OK);
  const std::u16string description = ImportFailing(LargeEvent(u"E1", 10));
  EXPECT_NE(convert::Utf16ToUtf8(description).find("locked"), std::string::npos);
  sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  EXPECT_EQ(Snapshot(), before_);
}

TEST_F(ImportFaultTest, DatabaseDeletedOrReplacedAfterStartUp) {
  const auto moved = dir_.File("moved.mdb");
  std::filesystem::rename(path_, moved);
  const std::u16string description = ImportFailing(LargeEvent(u"E1", 400));
  EXPECT_NE(convert::Utf16ToUtf8(description).find("削除されたか置き換えられました"), std::string::npos);
  std::filesystem::rename(moved, path_);
  EXPECT_EQ(Snapshot(), before_);
  std::filesystem::rename(path_, moved);

  // Another points database put in its place is left alone as well.
  test_support::CreateTestDatabase(path_);
  const auto replacement = test_support::ReadFileBytes(path_);
  ImportFailing(LargeEvent(u"E1", 10));
  EXPECT_EQ(test_support::ReadFileBytes(path_), replacement);
  EXPECT_EQ(test_support::QueryRows(moved, "SELECT count(*) FROM RESULT"), std::vector<std::string>{"100"});
}

}  // namespace
}  // namespace pointimport::import

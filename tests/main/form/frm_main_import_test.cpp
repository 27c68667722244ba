// The Import button: the run on the window's connection and component, and
// what the window shows after a completed and after a stopped run.
#include <gtest/gtest.h>

#include "form_harness.h"

namespace pointimport::test_support {
namespace {

std::u16string DataFile(const char* name) {
  return convert::Utf8ToUtf16(std::string(POINTIMPORT_TEST_DATA_DIR) + "/" + name);
}

bool Contains(const std::u16string& text, const std::u16string& part) {
  return text.find(part) != std::u16string::npos;
}

// A window on the program's own component with ResultList1.xml opened.
void OpenExample(FormHarness& harness) {
  harness.component = std::make_shared<outside::lapfile::LapFileComponent>();
  ASSERT_TRUE(harness.Load());
  harness.Open(DataFile("iof/ResultList1.xml"));
  ASSERT_TRUE(harness.cmdUpdate.enabled);
  harness.events.clear();
}

// The report is saved beside the database and named in the details; one that
// cannot be saved (a file where its folder should be) is only told.
TEST(FrmMainImport, CompletedRunEmptiesTheLabels) {
  for (const bool reportFolderBlocked : {false, true}) {
    FormHarness harness;
    if (reportFolderBlocked) WriteFileBytes(harness.dir.File("reports"), "");
    OpenExample(harness);
    harness.Import();

    const std::vector<std::string> events = {"pointer 11",    "events",      "pointer 0",         "message",
                                             "lblEventName=", "lblKeyword=", "cmdUpdate disabled"};
    EXPECT_EQ(harness.events, events);
    ASSERT_EQ(harness.platform.messages.size(), std::size_t{1});
    EXPECT_EQ(harness.platform.messages[0].text, u"取り込みました");
    const std::u16string& details = harness.platform.messages[0].details;
    const std::string shownDetails = convert::Utf16ToUtf8(details);
    EXPECT_TRUE(Contains(details, u"キーワード: ResultList1\n") && Contains(details, u"置き換えた結果行: 0\n"))
        << shownDetails;
    if (reportFolderBlocked) {
      EXPECT_TRUE(Contains(details, u"レポートを保存できませんでした")) << shownDetails;
    } else {
      const std::size_t at = details.find(u"レポート: ");
      ASSERT_NE(at, std::u16string::npos) << shownDetails;
      const std::u16string saved = details.substr(at + std::u16string_view(u"レポート: ").size());
      const std::u16string start =
          convert::PathFromNative((harness.dir.Path() / "reports" / "ResultList1_").native());
      EXPECT_TRUE(saved.starts_with(start) && saved.ends_with(u".html") &&
                  std::filesystem::exists(convert::NativePath(saved)))
          << shownDetails;
    }
    EXPECT_EQ(QueryRows(harness.databasePath, "SELECT ID FROM EVENT"), std::vector<std::string>{"ResultList1"});
    EXPECT_FALSE(QueryRows(harness.databasePath, "SELECT * FROM RESULT").empty());
  }
}

TEST(FrmMainImport, StoppedRunLeavesTheWindowAsItWas) {
  FormHarness harness;
  OpenExample(harness);
  OpenTestConnection(harness.databasePath)
      ->Execute(
          u"CREATE TRIGGER closed BEFORE INSERT ON EVENT BEGIN SELECT RAISE(ABORT, 'closed for today'); END");
  harness.Import();

  ASSERT_EQ(harness.platform.messages.size(), std::size_t{1});
  const auto& message = harness.platform.messages[0];
  EXPECT_TRUE(Contains(message.text, u"closed for today"));
  EXPECT_TRUE(
      Contains(message.text, convert::Utf8ToUtf16(std::to_string(convert::error_number::kDatabaseError))));
  EXPECT_EQ(message.pointer, int{import::ImportHost::kDefaultPointer});
  for (const std::string& event : harness.events) {
    EXPECT_FALSE(event.starts_with("lbl") || event.starts_with("cmdUpdate")) << event;
  }
  EXPECT_TRUE(harness.cmdUpdate.enabled);
  EXPECT_TRUE(QueryRows(harness.databasePath, "SELECT * FROM EVENT").empty());

  // Mended, the same file imports at once.
  OpenTestConnection(harness.databasePath)->Execute(u"DROP TRIGGER closed");
  harness.Import();
  EXPECT_EQ(harness.platform.messages.back().text, u"取り込みました");
  EXPECT_EQ(QueryRows(harness.databasePath, "SELECT ID FROM EVENT"), std::vector<std::string>{"ResultList1"});
}

TEST(FrmMainImport, NotConnectedRunWritesNothing) {
  FormHarness harness(WindowFixture::Database::Missing);
  OpenExample(harness);
  harness.Import();

  ASSERT_EQ(harness.platform.messages.size(), std::size_t{1});
  const std::u16string& text = harness.platform.messages[0].text;
  EXPECT_TRUE(Contains(text, u"接続していません"));
  EXPECT_TRUE(text.ends_with(u"\r\n\r\n何も書き込んでいません。"));
  EXPECT_EQ(harness.platform.pointer, int{import::ImportHost::kDefaultPointer});
  EXPECT_TRUE(harness.cmdUpdate.enabled);
  EXPECT_FALSE(std::filesystem::exists(harness.databasePath));
}

// A file whose keyword holds another event asks first; No leaves the
// database and the window as they were, Yes imports.
TEST(FrmMainImport, ReplacingAnotherEventWaitsForYes) {
  for (const bool yes : {false, true}) {
    FormHarness harness;
    OpenTestConnection(harness.databasePath)
        ->Execute(
            u"INSERT INTO EVENT (ID, NAME, TERRAIN, EVENT_DATE) VALUES ('ResultList1', '前の大会', '', '')");
    OpenExample(harness);
    harness.platform.answerYes = yes;
    harness.Import();

    ASSERT_EQ(harness.platform.questions.size(), std::size_t{1});
    const std::u16string& question = harness.platform.questions[0];
    EXPECT_TRUE(question.starts_with(u"キーワード「ResultList1」で取り込み済みの大会を") &&
                Contains(question, u"取り込み済み: 前の大会・(日付なし)・結果 0 行\r\n") &&
                question.ends_with(u"\r\n\r\nそれでも取り込みますか?"))
        << convert::Utf16ToUtf8(question);
    EXPECT_EQ(harness.events.front(), "question");
    EXPECT_EQ(QueryRows(harness.databasePath, "SELECT NAME FROM EVENT"),
              std::vector<std::string>{yes ? "Example event" : "前の大会"});
    EXPECT_EQ(harness.cmdUpdate.enabled, !yes);
    EXPECT_EQ(harness.events.size(), yes ? std::size_t{8} : std::size_t{1});
  }
}

}  // namespace
}  // namespace pointimport::test_support

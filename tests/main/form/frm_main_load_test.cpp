// Start-up and shutdown: the connection string, the two states the window
// can start in, a failure to create its objects, and closing.
#include <gtest/gtest.h>

#include "form_harness.h"

namespace pointimport::test_support {
namespace {

// What the points database layer itself says when opening fails.
std::u16string OpenFailureDescription(const std::u16string& connectionString) {
  try {
    outside::sqlite::SqliteConnection().Open(connectionString);
  } catch (const convert::RuntimeError& error) {
    return error.Description();
  }
  return u"(opened)";
}

struct ClosingFails : RecordingConnection {
  using RecordingConnection::RecordingConnection;
  void Close() override {
    RecordingConnection::Close();
    throw convert::RuntimeError(convert::error_number::kDatabaseError, u"閉じられません");
  }
};

// The database file is looked for in the program folder, whether or not the
// folder's text ends in a separator, and also when the folder's name is not
// UTF-8 (CP932 bytes, as an archive from a Japanese system unpacks).
TEST(FrmMainLoad, OpensTheDatabaseBesideTheProgram) {
  const ProgramFolder folders[] = {{"", false}, {"", true}, {"\x93\x8c\x8b\x9e", false}};
  for (const auto& where : folders) {
    FormHarness harness(WindowFixture::Database::Present, where);
    ASSERT_TRUE(harness.Load());
    const std::u16string expected = u"Open DRIVER=Microsoft Access Driver (*.mdb);DefaultDir=" +
                                    harness.folder + u";DBQ=" +
                                    convert::PathFromNative(harness.databasePath.native());
    ASSERT_EQ(harness.connectionCalls, std::vector<std::u16string>{expected});
    EXPECT_EQ(harness.picMain.toolTip,
              u"ポイントデータベース: " + convert::PathFromNative(harness.databasePath.native()));
    EXPECT_EQ(harness.events, std::vector<std::string>{"picMain shown"});
    EXPECT_TRUE(harness.platform.messages.empty());
  }
}

// Any failure to open leaves the window up with the cause under the fixed
// sentence; no message box.
TEST(FrmMainLoad, NamesTheCauseWhenTheDatabaseCannotBeOpened) {
  for (const std::string content : {"", "plain text, not SQLite"}) {
    FormHarness harness(WindowFixture::Database::Missing);
    if (!content.empty()) WriteFileBytes(harness.databasePath, content);
    ASSERT_TRUE(harness.Load());
    const std::u16string connectionString = harness.connectionCalls.at(0).substr(5);
    const std::u16string text =
        u"データベースに接続できません\r\n\r\n" + OpenFailureDescription(connectionString);
    EXPECT_EQ(harness.lblError.text, text);
    EXPECT_EQ(harness.events,
              (std::vector<std::string>{"picMain hidden", "lblError=" + convert::Utf16ToUtf8(text)}));
    EXPECT_TRUE(harness.platform.messages.empty());
  }
}

// Without its objects the window cannot work: the error is reported and the
// load step says that the window is not to appear.
TEST(FrmMainLoad, FailsWhenAnObjectCannotBeCreated) {
  const struct {
    std::u16string progId;
    std::size_t openCalls;
  } cases[] = {{u"ADODB.Connection", 0}, {u"Ferrowick2.clsFerrowick2", 1}};
  for (const auto& c : cases) {
    FormHarness harness;
    outside::RegisterObject(c.progId, nullptr);
    EXPECT_FALSE(harness.Load());
    EXPECT_EQ(harness.connectionCalls.size(), c.openCalls);
    ASSERT_EQ(harness.platform.messages.size(), std::size_t{1});
    EXPECT_EQ(harness.platform.messages[0].text,
              u"実行時エラー '429':\r\n\r\nオブジェクトを作成できません: " + c.progId);
  }
}

// Both states leave the panel's labels and Import alone, and closing closes
// the connection in both.
TEST(FrmMainLoad, BothStatesLeaveTheLabelsAndImportAndCloseTheConnection) {
  for (const auto database : {WindowFixture::Database::Present, WindowFixture::Database::Missing}) {
    FormHarness harness(database);
    ASSERT_TRUE(harness.Load());
    for (const std::string& event : harness.events) {
      EXPECT_TRUE(event.starts_with("picMain") || event.starts_with("lblError")) << event;
    }
    harness.Close();
    ASSERT_EQ(harness.connectionCalls.size(), std::size_t{2});
    EXPECT_EQ(harness.connectionCalls[1], u"Close");
  }
}

TEST(FrmMainLoad, ClosingReportsAFailureToCloseTheConnection) {
  FormHarness harness;
  outside::RegisterObject(outside::kConnectionProgId,
                          [&] { return std::make_shared<ClosingFails>(harness.connectionCalls); });
  ASSERT_TRUE(harness.Load());
  harness.Close();
  ASSERT_EQ(harness.platform.messages.size(), std::size_t{1});
  EXPECT_EQ(harness.platform.messages[0].text, u"実行時エラー '-2147467259':\r\n\r\n閉じられません");
}

}  // namespace
}  // namespace pointimport::test_support

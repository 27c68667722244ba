// The Open button: choosing a lap file, loading it, and what the window
// shows afterwards.
#include <gtest/gtest.h>

#include "form_harness.h"

namespace pointimport::test_support {
namespace {

using convert::Variant;

std::u16string DataFile(const char* name) {
  return convert::Utf8ToUtf16(std::string(POINTIMPORT_TEST_DATA_DIR) + "/" + name);
}

struct Shown {
  std::u16string eventName;
  std::u16string keyword;
  bool importEnabled;
  bool operator==(const Shown&) const = default;
};

Shown ShownBy(const FormHarness& harness) {
  return {harness.lblEventName.text, harness.lblKeyword.text, harness.cmdUpdate.enabled};
}

void PrintTo(const Shown& shown, std::ostream* out) {
  *out << convert::Utf16ToUtf8(shown.eventName) << " / " << convert::Utf16ToUtf8(shown.keyword) << " / "
       << (shown.importEnabled ? "enabled" : "disabled");
}

// A harness whose component knows three files: one with a keyword, one
// without, and one that does not load, after which it holds no event.
class FrmMainOpen : public ::testing::Test {
 protected:
  explicit FrmMainOpen(WindowFixture::Database database = WindowFixture::Database::Present)
      : harness(database) {
    auto& outcomes = harness.Scripted().outcomes;
    outcomes[u"/laps/e1.xml"] = {Variant(true), Variant(u"第1回 大会 2024/05/12"), Variant(u"E1")};
    outcomes[u"/laps/nokey.xml"] = {Variant(true), Variant(u"キーワードなし"), Variant(u"")};
    outcomes[u"/laps/broken.xml"] = {Variant(false), Variant(u""), Variant(u""), std::nullopt,
                                     Variant(u"XML として正しくありません")};
    EXPECT_TRUE(harness.Load());
    harness.events.clear();
  }

  std::vector<std::u16string>& ComponentCalls() { return harness.Scripted().calls; }

  FormHarness harness;
};

const Shown kE1Shown = {u"第1回 大会 2024/05/12", u"E1", true};

TEST_F(FrmMainOpen, ShowsTheEventAndMovesToImport) {
  harness.Open(u"/laps/e1.xml");

  EXPECT_EQ(ShownBy(harness), kE1Shown);
  EXPECT_TRUE(harness.cmdUpdate.focused);
  // What the operator should know of the file comes last, over the window
  // that shows it.
  const std::vector<std::string> events = {
      "dialog",        "pointer 11",        "events",          "lblEventName=第1回 大会 2024/05/12",
      "lblKeyword=E1", "cmdUpdate enabled", "cmdUpdate focus", "pointer 0",
      "message"};
  EXPECT_EQ(harness.events, events);
  EXPECT_EQ(harness.platform.messages.at(0).text,
            u"このファイルについて:\r\n\r\n結果が一つもありません。取り込むと、この大会の結果はなくなります。"
            u"\r\n大会の日付がありません。");
  EXPECT_EQ(ComponentCalls().front(), u"FileLoadFilter");
  EXPECT_EQ(ComponentCalls().at(1), u"LoadLapFile /laps/e1.xml");

  const main::form::FileChoice& choice = harness.platform.choices.at(0);
  EXPECT_EQ(choice.title, u"ファイルを開く");
  EXPECT_EQ(choice.filter, u"ラップ (*.xml)|*.xml");
  EXPECT_FALSE(choice.save);
  EXPECT_TRUE(choice.folderMustExist);
}

TEST_F(FrmMainOpen, CancellingChangesNothing) {
  for (const bool afterALoad : {false, true}) {
    if (afterALoad) harness.Open(u"/laps/e1.xml");
    const Shown before = ShownBy(harness);
    harness.events.clear();
    ComponentCalls().clear();

    harness.Open(std::nullopt);
    EXPECT_EQ(ShownBy(harness), before);
    EXPECT_EQ(harness.events, std::vector<std::string>{"dialog"});
    EXPECT_EQ(ComponentCalls(), std::vector<std::u16string>{u"FileLoadFilter"});
  }
}

TEST_F(FrmMainOpen, AFileWithoutKeywordDisablesImportAgain) {
  harness.Open(u"/laps/e1.xml");
  harness.platform.messages.clear();
  harness.Open(u"/laps/nokey.xml");
  EXPECT_EQ(ShownBy(harness), (Shown{u"キーワードなし", kNoKeywordText, false}));
  EXPECT_TRUE(harness.platform.messages.empty());
}

// The failure is told while the hourglass still shows and before the labels
// change; then they show what the component holds after it.
TEST_F(FrmMainOpen, AFailedLoadIsToldThenTheLabelsFollowTheComponent) {
  harness.Open(u"/laps/e1.xml");
  Shown atMessage;
  harness.platform.onMessage = [&] { atMessage = ShownBy(harness); };
  harness.events.clear();
  harness.platform.messages.clear();

  harness.Open(u"/laps/broken.xml");
  ASSERT_EQ(harness.platform.messages.size(), std::size_t{1});
  EXPECT_EQ(harness.platform.messages[0].text, u"ファイルを開けません\r\n\r\nXML として正しくありません");
  EXPECT_EQ(harness.platform.messages[0].pointer, import::ImportHost::kHourglassPointer);
  EXPECT_EQ(atMessage, kE1Shown);
  EXPECT_EQ(ShownBy(harness), (Shown{u"", kNoKeywordText, false}));
  const std::vector<std::string> events = {"dialog",
                                           "pointer 11",
                                           "events",
                                           "message",
                                           "lblEventName=",
                                           "lblKeyword=" + convert::Utf16ToUtf8(kNoKeywordText),
                                           "cmdUpdate disabled",
                                           "pointer 0"};
  EXPECT_EQ(harness.events, events);
}

// An error of the component reports its number and description; the window
// stays up with its labels and the default pointer, but Import is off: the
// component may hold another file than the one shown.
TEST_F(FrmMainOpen, AComponentErrorLeavesTheWindowAsItWas) {
  LapOutcome raising;
  raising.loadError = convert::RuntimeError(convert::error_number::kTypeMismatch, u"壊れています");
  const struct {
    LapOutcome outcome;
    std::u16string report;
  } cases[] = {
      {raising, u"実行時エラー '13':\r\n\r\n壊れています"},
      {{Variant(true), Variant::Null(), Variant(u"E2")},
       u"実行時エラー '94':\r\n\r\nNull の使い方が不正です。"},
      {{Variant(true), Variant(u"大会"), Variant::Null()},
       u"実行時エラー '94':\r\n\r\nNull の使い方が不正です。"},
  };
  for (const auto& c : cases) {
    harness.Scripted().outcomes[u"/laps/bad.xml"] = c.outcome;
    harness.Open(u"/laps/e1.xml");
    harness.events.clear();
    harness.platform.messages.clear();

    harness.Open(u"/laps/bad.xml");
    ASSERT_EQ(harness.platform.messages.size(), std::size_t{1});
    EXPECT_EQ(harness.platform.messages[0].text, c.report);
    EXPECT_EQ(harness.events.back(), "pointer 0");
    EXPECT_EQ(ShownBy(harness), (Shown{kE1Shown.eventName, kE1Shown.keyword, false}));

    harness.Open(u"/laps/nokey.xml");
    EXPECT_EQ(ShownBy(harness), (Shown{u"キーワードなし", kNoKeywordText, false}));
  }
}

// Not connected: the labels are set behind the hidden panel, and Import
// follows the keyword all the same.
class FrmMainOpenNotConnected : public FrmMainOpen {
 protected:
  FrmMainOpenNotConnected() : FrmMainOpen(WindowFixture::Database::Missing) {}
};

TEST_F(FrmMainOpenNotConnected, WorksTheSameWithoutTheDatabase) {
  harness.Open(u"/laps/e1.xml");
  EXPECT_EQ(ShownBy(harness), kE1Shown);
  EXPECT_EQ(harness.picMain.visible, false);
}

// With the program's own component on real lap files.
TEST(FrmMainOpenReal, LoadsRealLapFiles) {
  FormHarness harness;
  harness.component = std::make_shared<outside::lapfile::LapFileComponent>();
  ASSERT_TRUE(harness.Load());
  harness.Open(DataFile("iof/ResultList1.xml"));
  EXPECT_NE(harness.lblEventName.text.find(u"Example event"), std::u16string::npos);
  EXPECT_EQ(harness.lblKeyword.text, u"ResultList1");
  EXPECT_TRUE(harness.cmdUpdate.enabled);
  EXPECT_TRUE(harness.cmdUpdate.focused);
  EXPECT_EQ(harness.platform.choices.at(0).filter,
            u"IOF XML 結果ファイル (*.xml)|*.xml|CSV 結果ファイル (*.csv)|*.csv|すべてのファイル (*.*)|*.*");

  for (const char* broken : {"lap/not_well_formed.xml", "lap/no_such_file.xml"}) {
    harness.platform.messages.clear();
    harness.Open(DataFile(broken));
    ASSERT_EQ(harness.platform.messages.size(), std::size_t{1});
    // The fixed text, an empty line, then the reason.
    const std::u16string& text = harness.platform.messages[0].text;
    const std::u16string fixed = u"ファイルを開けません\r\n\r\n";
    EXPECT_TRUE(text.starts_with(fixed) && text.size() > fixed.size()) << convert::Utf16ToUtf8(text);
    EXPECT_EQ(ShownBy(harness), (Shown{u"", kNoKeywordText, false}));
  }
}

}  // namespace
}  // namespace pointimport::test_support

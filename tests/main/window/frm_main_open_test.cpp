// The Open button: choosing a lap file, loading it, and what the window
// shows afterwards.
#include <QTest>

#include "window_harness.h"

Q_DECLARE_METATYPE(pointimport::test_support::LapOutcome)

namespace pointimport::test_support {

namespace {

using convert::Variant;

std::u16string DataFile(const char* name) {
  return convert::Utf8ToUtf16(std::string(POINTIMPORT_TEST_DATA_DIR) + "/" + name);
}

struct Shown {
  QString eventName;
  QString keyword;
  bool importEnabled;
  QString eventNameTip = {};
};

Shown ShownBy(WindowHarness& harness) {
  return {harness.Label("lblEventName")->text(), harness.Label("lblKeyword")->text(),
          harness.Button("cmdUpdate")->isEnabled(), harness.Label("lblEventName")->toolTip()};
}

void CompareShown(const Shown& actual, const Shown& expected) {
  QCOMPARE(actual.eventName, expected.eventName);
  QCOMPARE(actual.eventNameTip, expected.eventName);  // the whole text, where the label cuts it off
  QCOMPARE(actual.keyword, expected.keyword);
  QCOMPARE(actual.importEnabled, expected.importEnabled);
}

}  // namespace

class FrmMainOpenTest : public QObject {
  Q_OBJECT

 private:
  ScriptedLapComponent& Component(WindowHarness& harness) {
    return static_cast<ScriptedLapComponent&>(*harness.component);
  }

  // A harness whose component knows three files: one with a keyword, one
  // without, and one that does not load, after which it holds no event.
  void Script(WindowHarness& harness) {
    auto& outcomes = Component(harness).outcomes;
    outcomes[u"/laps/e1.xml"] = {Variant(true), Variant(u"第1回 大会 2024/05/12"), Variant(u"E1")};
    outcomes[u"/laps/nokey.xml"] = {Variant(true), Variant(u"キーワードなし"), Variant(u"")};
    outcomes[u"/laps/broken.xml"] = {Variant(false), Variant(u""), Variant(u""), std::nullopt,
                                     Variant(u"XML として正しくありません")};
  }

 private slots:
  void showsTheEventAndMovesToImport() {
    WindowHarness harness;
    Script(harness);
    QVERIFY(harness.Load());
    harness.Open(u"/laps/e1.xml");

    CompareShown(ShownBy(harness), {"第1回 大会 2024/05/12", "E1", true});
    QCOMPARE(harness.Window().focusWidget(), harness.Button("cmdUpdate"));
    const std::vector<std::string> events = {"dialog", "pointer 11", "events", "pointer 0"};
    QCOMPARE(harness.platform->events, events);
    QCOMPARE(Component(harness).calls.front(), std::u16string(u"FileLoadFilter"));
    QCOMPARE(Q(Component(harness).calls.at(1)), QStringLiteral("LoadLapFile /laps/e1.xml"));

    const main::FileChoice& choice = harness.platform->choices.at(0);
    QCOMPARE(Q(choice.title), QStringLiteral("ファイルを開く"));
    QCOMPARE(Q(choice.filter), QStringLiteral("ラップ (*.xml)|*.xml"));
    QVERIFY(!choice.save);
    QVERIFY(choice.folderMustExist);
  }

  void cancellingChangesNothing_data() {
    QTest::addColumn<QString>("earlierFile");
    QTest::newRow("first use") << "";
    QTest::newRow("after a load") << "/laps/e1.xml";
  }

  void cancellingChangesNothing() {
    QFETCH(QString, earlierFile);
    WindowHarness harness;
    Script(harness);
    QVERIFY(harness.Load());
    if (!earlierFile.isEmpty()) harness.Open(main::FromQString(earlierFile));
    const Shown before = ShownBy(harness);
    harness.platform->events.clear();
    Component(harness).calls.clear();

    harness.Open(std::nullopt);
    CompareShown(ShownBy(harness), before);
    QCOMPARE(harness.platform->events, std::vector<std::string>{"dialog"});
    QCOMPARE(Component(harness).calls, std::vector<std::u16string>{u"FileLoadFilter"});
  }

  void aFileWithoutKeywordDisablesImportAgain() {
    WindowHarness harness;
    Script(harness);
    QVERIFY(harness.Load());
    harness.Open(u"/laps/e1.xml");
    harness.Open(u"/laps/nokey.xml");
    CompareShown(ShownBy(harness), {"キーワードなし", QString::fromUtf16(kNoKeywordText), false});
    QVERIFY(harness.platform->messages.empty());
  }

  // The failure is told while the hourglass still shows and before the
  // labels change; then they show what the component holds after it.
  void aFailedLoadIsToldThenTheLabelsFollowTheComponent() {
    WindowHarness harness;
    Script(harness);
    QVERIFY(harness.Load());
    harness.Open(u"/laps/e1.xml");
    Shown atMessage;
    harness.platform->onMessage = [&] { atMessage = ShownBy(harness); };
    harness.platform->events.clear();

    harness.Open(u"/laps/broken.xml");
    QCOMPARE(harness.platform->messages.size(), size_t{1});
    QCOMPARE(Q(harness.platform->messages[0].text), QStringLiteral("ファイルを開けません\r\n\r\nXML として正しくありません"));
    QCOMPARE(harness.platform->messages[0].pointer, import::ImportHost::kHourglassPointer);
    CompareShown(atMessage, {"第1回 大会 2024/05/12", "E1", true});
    CompareShown(ShownBy(harness), {"", QString::fromUtf16(kNoKeywordText), false});
    const std::vector<std::string> events = {"dialog", "pointer 11", "events", "message", "pointer 0"};
    QCOMPARE(harness.platform->events, events);
  }

  // An error of the component reports its number and description; the
  // window stays up with its labels and the default pointer, but Import is
  // off: the component may hold another file than the one shown.
  void aComponentErrorLeavesTheWindowAsItWas_data() {
    QTest::addColumn<LapOutcome>("outcome");
    QTest::addColumn<QString>("report");
    LapOutcome raising;
    raising.loadError = convert::RuntimeError(convert::error_number::kTypeMismatch, u"壊れています");
    QTest::newRow("load raises") << raising << "実行時エラー '13':\r\n\r\n壊れています";
    QTest::newRow("description Null") << LapOutcome{Variant(true), Variant::Null(), Variant(u"E2")}
                                      << "実行時エラー '94':\r\n\r\nNull の使い方が不正です。";
    QTest::newRow("keyword Null") << LapOutcome{Variant(true), Variant(u"大会"), Variant::Null()}
                                  << "実行時エラー '94':\r\n\r\nNull の使い方が不正です。";
  }

  void aComponentErrorLeavesTheWindowAsItWas() {
    QFETCH(LapOutcome, outcome);
    QFETCH(QString, report);
    WindowHarness harness;
    Script(harness);
    Component(harness).outcomes[u"/laps/bad.xml"] = outcome;
    QVERIFY(harness.Load());
    harness.Open(u"/laps/e1.xml");
    harness.platform->events.clear();

    harness.Open(u"/laps/bad.xml");
    QCOMPARE(harness.platform->messages.size(), size_t{1});
    QCOMPARE(Q(harness.platform->messages[0].text), report);
    QCOMPARE(harness.platform->events.back(), std::string("pointer 0"));
    CompareShown(ShownBy(harness), {"第1回 大会 2024/05/12", "E1", false});
    QVERIFY(harness.Window().isVisible());

    harness.Open(u"/laps/nokey.xml");
    CompareShown(ShownBy(harness), {"キーワードなし", QString::fromUtf16(kNoKeywordText), false});
  }

  // Not connected: the labels are set behind the hidden panel, and Import
  // follows the keyword all the same.
  void worksTheSameWithoutTheDatabase() {
    WindowHarness harness(WindowHarness::Database::Missing);
    Script(harness);
    QVERIFY(harness.Load());
    harness.Open(u"/laps/e1.xml");
    CompareShown(ShownBy(harness), {"第1回 大会 2024/05/12", "E1", true});
    QVERIFY(!harness.Label("lblKeyword")->isVisible());
  }

  // With the program's own component on real lap files.
  void loadsRealLapFiles() {
    WindowHarness harness;
    harness.component = std::make_shared<outside::lapfile::LapFileComponent>();
    QVERIFY(harness.Load());
    harness.Open(DataFile("iof/ResultList1.xml"));
    const Shown loaded = ShownBy(harness);
    QVERIFY(loaded.eventName.contains(QStringLiteral("Example event")));
    QCOMPARE(loaded.keyword, QStringLiteral("ResultList1"));
    QVERIFY(loaded.importEnabled);
    QCOMPARE(harness.Window().focusWidget(), harness.Button("cmdUpdate"));
    QCOMPARE(Q(harness.platform->choices.at(0).filter),
             QStringLiteral("IOF XML 結果ファイル (*.xml)|*.xml|CSV 結果ファイル (*.csv)|*.csv|すべてのファイル (*.*)|*.*"));

    for (const char* broken : {"lap/not_well_formed.xml", "lap/no_such_file.xml"}) {
      harness.platform->messages.clear();
      harness.Open(DataFile(broken));
      QCOMPARE(harness.platform->messages.size(), size_t{1});
      // The fixed text, an empty line, then the reason.
      const QString text = Q(harness.platform->messages[0].text);
      const QString fixed = QStringLiteral("ファイルを開けません\r\n\r\n");
      QVERIFY2(text.startsWith(fixed) && text.size() > fixed.size(), qPrintable(text));
      CompareShown(ShownBy(harness), {"", QString::fromUtf16(kNoKeywordText), false});
    }
  }
};

}  // namespace pointimport::test_support

QTEST_MAIN(pointimport::test_support::FrmMainOpenTest)
#include "frm_main_open_test.moc"

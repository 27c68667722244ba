// The Import button: the run on the window's connection and component, and
// what the window shows after a completed and after a stopped run.
#include <QTest>

#include "window_harness.h"

namespace pointimport::test_support {

namespace {

std::u16string DataFile(const char* name) {
  return convert::Utf8ToUtf16(std::string(POINTIMPORT_TEST_DATA_DIR) + "/" + name);
}

// A window on the program's own component with ResultList1.xml opened.
void OpenExample(WindowHarness& harness) {
  harness.component = std::make_shared<outside::lapfile::LapFileComponent>();
  QVERIFY(harness.Load());
  harness.Open(DataFile("iof/ResultList1.xml"));
  QVERIFY(harness.Button("cmdUpdate")->isEnabled());
  harness.platform->events.clear();
}

void ClickImport(WindowHarness& harness) { QTest::mouseClick(harness.Button("cmdUpdate"), Qt::LeftButton); }

}  // namespace

class FrmMainImportTest : public QObject {
  Q_OBJECT

 private slots:
  // The report is saved beside the database and named in the details; one
  // that cannot be saved (a file where its folder should be) is only told.
  void completedRunEmptiesTheLabels_data() {
    QTest::addColumn<bool>("reportFolderBlocked");
    QTest::newRow("report saved") << false;
    QTest::newRow("report not saved") << true;
  }

  void completedRunEmptiesTheLabels() {
    QFETCH(bool, reportFolderBlocked);
    WindowHarness harness;
    if (reportFolderBlocked) WriteFileBytes(harness.dir.File("reports"), "");
    OpenExample(harness);
    ClickImport(harness);

    const std::vector<std::string> events = {"pointer 11", "events", "pointer 0", "message"};
    QCOMPARE(harness.platform->events, events);
    QCOMPARE(Q(harness.platform->messages.at(0).text), QStringLiteral("取り込みました"));
    const QString details = Q(harness.platform->messages.at(0).details);
    QVERIFY2(details.contains(QStringLiteral("キーワード: ResultList1\n")) &&
                 details.contains(QStringLiteral("置き換えた結果行: 0\n")),
             qPrintable(details));
    const auto reports = harness.dir.Path() / "reports";
    if (reportFolderBlocked) {
      QVERIFY(details.contains(QStringLiteral("レポートを保存できませんでした")));
    } else {
      const QString saved = details.section(QStringLiteral("レポート: "), 1);
      QVERIFY2(saved.startsWith(Q(convert::Utf8ToUtf16((reports / "ResultList1_").string()))) &&
                   saved.endsWith(QStringLiteral(".html")) && std::filesystem::exists(main::FromQString(saved)),
               qPrintable(details));
    }
    QCOMPARE(harness.Label("lblEventName")->text(), QString());
    QCOMPARE(harness.Label("lblKeyword")->text(), QString());
    QVERIFY(!harness.Button("cmdUpdate")->isEnabled());
    QCOMPARE(QueryRows(harness.databasePath, "SELECT ID FROM EVENT"), std::vector<std::string>{"ResultList1"});
    QVERIFY(!QueryRows(harness.databasePath, "SELECT * FROM RESULT").empty());
  }

  void stoppedRunLeavesTheWindowAsItWas() {
    WindowHarness harness;
    OpenExample(harness);
    OpenTestConnection(harness.databasePath)
        ->Execute(u"CREATE TRIGGER closed BEFORE INSERT ON EVENT BEGIN SELECT RAISE(ABORT, 'closed for today'); END");
    const QString eventName = harness.Label("lblEventName")->text();
    ClickImport(harness);

    QCOMPARE(harness.platform->messages.size(), size_t{1});
    const auto& message = harness.platform->messages.at(0);
    QVERIFY(Q(message.text).contains(QStringLiteral("closed for today")));
    QVERIFY(Q(message.text).contains(QString::number(convert::error_number::kDatabaseError)));
    QCOMPARE(message.pointer, int{import::ImportHost::kDefaultPointer});
    QCOMPARE(harness.Label("lblEventName")->text(), eventName);
    QCOMPARE(harness.Label("lblKeyword")->text(), QStringLiteral("ResultList1"));
    QVERIFY(harness.Button("cmdUpdate")->isEnabled());
    QVERIFY(QueryRows(harness.databasePath, "SELECT * FROM EVENT").empty());

    // Mended, the same file imports at once.
    OpenTestConnection(harness.databasePath)->Execute(u"DROP TRIGGER closed");
    ClickImport(harness);
    QCOMPARE(Q(harness.platform->messages.back().text), QStringLiteral("取り込みました"));
    QCOMPARE(QueryRows(harness.databasePath, "SELECT ID FROM EVENT"), std::vector<std::string>{"ResultList1"});
  }

  void notConnectedRunWritesNothing() {
    WindowHarness harness(WindowHarness::Database::Missing);
    OpenExample(harness);
    ClickImport(harness);

    QCOMPARE(harness.platform->messages.size(), size_t{1});
    const QString text = Q(harness.platform->messages.at(0).text);
    QVERIFY(text.contains(QStringLiteral("接続していません")));
    QVERIFY(text.endsWith(QStringLiteral("\r\n\r\n何も書き込んでいません。")));
    QCOMPARE(harness.platform->pointer, int{import::ImportHost::kDefaultPointer});
    QVERIFY(harness.Button("cmdUpdate")->isEnabled());
    QVERIFY(harness.Button("cmdOpen")->isEnabled());
    QVERIFY(!std::filesystem::exists(harness.databasePath));
  }
};

}  // namespace pointimport::test_support

QTEST_MAIN(pointimport::test_support::FrmMainImportTest)
#include "frm_main_import_test.moc"

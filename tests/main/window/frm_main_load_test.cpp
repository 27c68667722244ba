// Start-up and shutdown: the connection string, the two states the window
// can start in, a failure to create its objects, and closing.
#include <QCloseEvent>
#include <QTest>

#include "window_harness.h"

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

}  // namespace

class FrmMainLoadTest : public QObject {
  Q_OBJECT

 private slots:
  // The database file is looked for in the program folder, whether or not
  // the folder's text ends in a separator.
  void opensTheDatabaseBesideTheProgram_data() {
    QTest::addColumn<QString>("suffix");
    QTest::newRow("no separator") << "";
    QTest::newRow("separator") << "/";
  }

  void opensTheDatabaseBesideTheProgram() {
    QFETCH(QString, suffix);
    WindowHarness harness(WindowHarness::Database::Present, main::FromQString(suffix));
    QVERIFY(harness.Load());
    const std::u16string expected = u"Open DRIVER=Microsoft Access Driver (*.mdb);DefaultDir=" + harness.folder +
                                    u";DBQ=" + convert::Utf8ToUtf16(harness.databasePath.string());
    QCOMPARE(harness.connectionCalls.size(), size_t{1});
    QCOMPARE(Q(harness.connectionCalls[0]), Q(expected));
    QVERIFY(harness.Panel()->isVisible());
    QVERIFY(harness.platform->messages.empty());
  }

  // Any failure to open leaves the window up with the cause under the
  // fixed sentence; no message box.
  void namesTheCauseWhenTheDatabaseCannotBeOpened_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("file missing") << QByteArray();
    QTest::newRow("not a database") << QByteArray("plain text, not SQLite");
  }

  void namesTheCauseWhenTheDatabaseCannotBeOpened() {
    QFETCH(QByteArray, content);
    WindowHarness harness(WindowHarness::Database::Missing);
    if (!content.isEmpty()) WriteFileBytes(harness.databasePath, content.toStdString());
    QVERIFY(harness.Load());
    QVERIFY(harness.Window().isVisible());
    QVERIFY(!harness.Panel()->isVisible());
    QVERIFY(harness.Label("lblError")->isVisible());
    const std::u16string connectionString = harness.connectionCalls.at(0).substr(5);
    QCOMPARE(Q(main::FromQString(harness.Label("lblError")->text())),
             Q(u"データベースに接続できません\r\n\r\n" + OpenFailureDescription(connectionString)));
    QVERIFY(harness.platform->messages.empty());
  }

  // Without its objects the window cannot work: the error is reported and
  // the window never appears.
  void endsBeforeTheWindowAppearsWhenAnObjectCannotBeCreated_data() {
    QTest::addColumn<QString>("progId");
    QTest::addColumn<int>("openCalls");
    QTest::newRow("connection") << "ADODB.Connection" << 0;
    QTest::newRow("lap-file component") << "Ferrowick2.clsFerrowick2" << 1;
  }

  void endsBeforeTheWindowAppearsWhenAnObjectCannotBeCreated() {
    QFETCH(QString, progId);
    QFETCH(int, openCalls);
    WindowHarness harness;
    outside::RegisterObject(main::FromQString(progId), nullptr);
    QVERIFY(!harness.Load());
    QVERIFY(!harness.Window().isVisible());
    QCOMPARE(static_cast<int>(harness.connectionCalls.size()), openCalls);
    QCOMPARE(harness.platform->messages.size(), size_t{1});
    QCOMPARE(Q(harness.platform->messages[0].text),
             Q(u"実行時エラー '429':\r\n\r\nオブジェクトを作成できません: " + main::FromQString(progId)));
  }

  // Both states start alike, and closing closes the connection in both.
  void bothStatesStartWithOpenOnlyAndCloseTheConnection_data() {
    QTest::addColumn<bool>("databasePresent");
    QTest::newRow("connected") << true;
    QTest::newRow("not connected") << false;
  }

  void bothStatesStartWithOpenOnlyAndCloseTheConnection() {
    QFETCH(bool, databasePresent);
    WindowHarness harness(databasePresent ? WindowHarness::Database::Present : WindowHarness::Database::Missing);
    QVERIFY(harness.Load());
    QVERIFY(harness.Window().isVisible());
    QVERIFY(harness.Button("cmdOpen")->isEnabled());
    QVERIFY(!harness.Button("cmdUpdate")->isEnabled());
    QCOMPARE(harness.Label("lblEventName")->text(), QString());
    QCOMPARE(harness.Label("lblKeyword")->text(), QString());
    QVERIFY(harness.Window().close());
    QCOMPARE(harness.connectionCalls.size(), size_t{2});
    QCOMPARE(Q(harness.connectionCalls[1]), QStringLiteral("Close"));
    QVERIFY(!harness.Window().isVisible());
  }

  void closingGoesAheadWhenClosingTheConnectionFails() {
    WindowHarness harness;
    outside::RegisterObject(outside::kConnectionProgId,
                            [&] { return std::make_shared<ClosingFails>(harness.connectionCalls); });
    QVERIFY(harness.Load());
    QCloseEvent event;
    event.ignore();
    QCoreApplication::sendEvent(&harness.Window(), &event);
    QVERIFY(event.isAccepted());
    QCOMPARE(harness.platform->messages.size(), size_t{1});
    QCOMPARE(Q(harness.platform->messages[0].text), QStringLiteral("実行時エラー '-2147467259':\r\n\r\n閉じられません"));
  }
};

}  // namespace pointimport::test_support

QTEST_MAIN(pointimport::test_support::FrmMainLoadTest)
#include "frm_main_load_test.moc"

// The file dialog routine, the dialog control it drives, and the filter
// that the control hands to Qt.
#include <QTest>

#include "convert/runtime_error.h"
#include "main/window/common_dialog.h"
#include "main/window/name_filters.h"
#include "main/window/qt_text.h"
#include "main/window/show_file_dialog.h"

namespace pointimport::test_support {

namespace {

using main::FromQString;
using main::ToQString;

// Records each member called, as "Member" or "Member=value", and raises an
// error from the one member named.
class FakeDialogControl : public main::FileDialogControl {
 public:
  FakeDialogControl(QString failingMember, std::int32_t errorNumber)
      : failingMember_(std::move(failingMember)), errorNumber_(errorNumber) {}

  void SetDialogTitle(const std::u16string& title) override { Call("DialogTitle=" + ToQString(title)); }
  void SetFilter(const std::u16string& filter) override { Call("Filter=" + ToQString(filter)); }
  void SetCancelError(bool cancelError) override { Call(cancelError ? "CancelError=True" : "CancelError=False"); }
  void SetFlags(std::int32_t flags) override { Call("Flags=" + QString::number(flags)); }
  void ShowOpen() override { Call("ShowOpen"); }
  void ShowSave() override { Call("ShowSave"); }
  std::u16string FileName() const override {
    const_cast<FakeDialogControl*>(this)->Call("FileName");
    return u"/laps/chosen.xml";
  }

  QStringList calls;

 private:
  void Call(const QString& call) {
    calls << call;
    if (call.section(u'=', 0, 0) == failingMember_) {
      throw convert::RuntimeError(errorNumber_, u"ダイアログのエラー");
    }
  }

  QString failingMember_;
  std::int32_t errorNumber_;
};

class ScriptedChooser : public main::FileChooser {
 public:
  std::optional<std::u16string> ChooseFile(const main::FileChoice& choice) override {
    choices.push_back(choice);
    return answer;
  }
  std::optional<std::u16string> answer;
  std::vector<main::FileChoice> choices;
};

const QStringList kSetUp = {"DialogTitle=開く", "Filter=F|*.f", "CancelError=True"};

}  // namespace

class FileDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void showFileDialogTestsTheErrorNumber_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("failingMember");
    QTest::addColumn<int>("errorNumber");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QStringList>("calls");
    const QString chosen = "/laps/chosen.xml";
    QTest::newRow("open") << 0 << "" << 0 << chosen
                          << kSetUp + QStringList{"Flags=281800", "ShowOpen", "FileName"};
    QTest::newRow("save asking") << 1 << "" << 0 << chosen
                                 << kSetUp + QStringList{"Flags=280802", "ShowSave", "FileName"};
    QTest::newRow("save") << 2 << "" << 0 << chosen << kSetUp + QStringList{"Flags=280800", "ShowSave", "FileName"};
    QTest::newRow("unknown mode") << 3 << "" << 0 << chosen << kSetUp + QStringList{"FileName"};
    QTest::newRow("negative mode") << -1 << "" << 0 << chosen << kSetUp + QStringList{"FileName"};
    QTest::newRow("cancelled") << 0 << "ShowOpen" << 32755 << "" << kSetUp + QStringList{"Flags=281800", "ShowOpen"};
    QTest::newRow("other dialog error") << 2 << "ShowSave" << 20476 << ""
                                        << kSetUp + QStringList{"Flags=280800", "ShowSave"};
    QTest::newRow("negative error") << 0 << "ShowOpen" << -2147467259 << chosen
                                    << kSetUp + QStringList{"Flags=281800", "ShowOpen", "FileName"};
    QTest::newRow("flags refused, dialog still shown") << 0 << "Flags" << 380 << ""
                                                       << kSetUp + QStringList{"Flags=281800", "ShowOpen"};
    QTest::newRow("file name unreadable") << 0 << "FileName" << 5 << ""
                                          << kSetUp + QStringList{"Flags=281800", "ShowOpen", "FileName"};
  }

  void showFileDialogTestsTheErrorNumber() {
    QFETCH(int, mode);
    QFETCH(QString, failingMember);
    QFETCH(int, errorNumber);
    QFETCH(QString, result);
    QFETCH(QStringList, calls);
    FakeDialogControl dialog(failingMember, errorNumber);
    QCOMPARE(ToQString(main::ShowFileDialog(dialog, mode, u"開く", u"F|*.f")), result);
    QCOMPARE(dialog.calls, calls);
  }

  // Before the trapped part an error reaches the caller.
  void showFileDialogPassesOnAnErrorInItsSetUp_data() {
    QTest::addColumn<QString>("failingMember");
    QTest::newRow("title") << "DialogTitle";
    QTest::newRow("filter") << "Filter";
    QTest::newRow("cancel flag") << "CancelError";
  }

  void showFileDialogPassesOnAnErrorInItsSetUp() {
    QFETCH(QString, failingMember);
    FakeDialogControl dialog(failingMember, 5);
    QVERIFY_THROWS_EXCEPTION(convert::RuntimeError, main::ShowFileDialog(dialog, 0, u"開く", u"F|*.f"));
    QVERIFY(!dialog.calls.contains("ShowOpen"));
  }

  void dialogControlKeepsTheChosenPathAndOffersItAgain() {
    ScriptedChooser chooser;
    main::CommonDialog dialog(chooser, nullptr);
    dialog.SetCancelError(true);
    chooser.answer = u"/laps/a.xml";
    dialog.ShowOpen();
    QCOMPARE(ToQString(dialog.FileName()), QStringLiteral("/laps/a.xml"));
    chooser.answer.reset();
    QVERIFY_THROWS_EXCEPTION(convert::RuntimeError, dialog.ShowOpen());
    QCOMPARE(ToQString(dialog.FileName()), QStringLiteral("/laps/a.xml"));
    QCOMPARE(ToQString(chooser.choices.at(0).offeredPath), QString());
    QCOMPARE(ToQString(chooser.choices.at(1).offeredPath), QStringLiteral("/laps/a.xml"));
  }

  void dialogControlActsOnTheFlagsThatApply_data() {
    QTest::addColumn<bool>("save");
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("confirmOverwrite");
    QTest::addColumn<bool>("folderMustExist");
    QTest::newRow("open, mode 0") << false << 0x44CC8 << false << true;
    QTest::newRow("save, mode 1") << true << 0x448E2 << true << true;
    QTest::newRow("save, mode 2") << true << 0x448E0 << false << true;
  }

  void dialogControlActsOnTheFlagsThatApply() {
    QFETCH(bool, save);
    QFETCH(int, flags);
    QFETCH(bool, confirmOverwrite);
    QFETCH(bool, folderMustExist);
    ScriptedChooser chooser;
    main::CommonDialog dialog(chooser, nullptr);
    dialog.SetDialogTitle(u"題");
    dialog.SetFilter(u"F|*.f");
    dialog.SetFlags(flags);
    save ? dialog.ShowSave() : dialog.ShowOpen();
    const main::FileChoice& choice = chooser.choices.at(0);
    QCOMPARE(ToQString(choice.title), QStringLiteral("題"));
    QCOMPARE(ToQString(choice.filter), QStringLiteral("F|*.f"));
    QCOMPARE(choice.save, save);
    QCOMPARE(choice.confirmOverwrite, confirmOverwrite);
    QCOMPARE(choice.folderMustExist, folderMustExist);
  }

  void filterBecomesQtNameFilters_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("nameFilters");
    QTest::newRow("empty") << "" << QStringList();
    QTest::newRow("one pair") << "XML (*.xml)|*.xml" << QStringList{"XML (*.xml) (*.xml)"};
    QTest::newRow("several patterns") << "ラップ|*.xml;*.lap; *.txt"
                                      << QStringList{"ラップ (*.xml *.lap *.txt)"};
    QTest::newRow("every file") << "XML|*.xml|すべて (*.*)|*.*" << QStringList{"XML (*.xml)", "すべて (*.*) (*)"};
    QTest::newRow("description without patterns") << "XML|*.xml|余り" << QStringList{"XML (*.xml)"};
    QTest::newRow("pair without pattern") << "空|;|XML|*.xml" << QStringList{"XML (*.xml)"};
  }

  void filterBecomesQtNameFilters() {
    QFETCH(QString, filter);
    QFETCH(QStringList, nameFilters);
    QCOMPARE(main::ToQtNameFilters(FromQString(filter)), nameFilters);
  }
};

}  // namespace pointimport::test_support

QTEST_MAIN(pointimport::test_support::FileDialogTest)
#include "file_dialog_test.moc"

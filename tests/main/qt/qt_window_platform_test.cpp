// The desktop behind the window: Qt's message box, the window's pointer,
// pending events and Qt's own file dialog, worked as a user would, and the
// filter that the dialog control hands to Qt.
#include "main/qt/qt_window_platform.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QTest>

#include "main/qt/name_filters.h"
#include "main/qt/qt_text.h"
#include "main/qt/qt_translation.h"
#include "modal_driver.h"
#include "support/temp_dir.h"

namespace pointimport::test_support {

namespace {

using main::qt::FromQString;
using main::qt::ToQString;

// The style of X11 desktops: standard buttons carry icons.
class ButtonsWithIconsStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_DialogButtonBox_ButtonsHaveIcons) return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

QLineEdit* FileNameField(QWidget* dialog) {
  return dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

// Types a name into the dialog's file-name field and presses Return.
ModalDriver::Step TypeAndAccept(const QString& name) {
  return [name](QWidget* dialog) {
    QLineEdit* field = FileNameField(dialog);
    if (!field || !QTest::qWaitFor([field] { return field->hasFocus(); })) return;
    field->clear();
    QTest::keyClicks(field, name);
    QTest::keyClick(field, Qt::Key_Return);
  };
}

ModalDriver::Step Cancel() {
  return [](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); };
}

// Answers a question box with the given button, noting that it came up.
ModalDriver::Step Answer(QMessageBox::StandardButton button, int& asked) {
  return [button, &asked](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box) return;
    ++asked;
    if (QAbstractButton* answer = box->button(button)) {
      answer->click();
    } else {
      box->buttons().first()->click();
    }
  };
}

}  // namespace

class QtWindowPlatformTest : public QObject {
  Q_OBJECT

 private:
  QWidget window_;
  main::qt::QtWindowPlatform platform_{window_};
  TempDir dir_;

  QString InDir(const char* name) const { return QString::fromStdString(dir_.File(name).string()); }

  std::optional<std::u16string> Choose(const main::form::FileChoice& choice,
                                       std::deque<ModalDriver::Step> steps) {
    ModalDriver driver(std::move(steps));
    const auto chosen = platform_.ChooseFile(choice);
    [&] {
      QVERIFY2(!driver.TimedOut(), "a dialog was left open");
      QVERIFY(driver.AllStepsRan());
    }();
    return chosen;
  }

 private slots:
  void initTestCase() {
    QApplication::setStyle(new ButtonsWithIconsStyle);
    QVERIFY(main::qt::InstallQtJapaneseTranslation(*QCoreApplication::instance()));
    window_.setWindowTitle(QStringLiteral("ポイント取込ツール"));
    window_.show();
    WriteFileBytes(dir_.File("existing.xml"), "<x/>");
  }

  // Details, where given, wait behind one more button: Qt's own, in Japanese.
  void messageBoxIsPlainAndWaitsForOk_data() {
    QTest::addColumn<QString>("details");
    QTest::addColumn<QStringList>("otherButtons");
    QTest::newRow("plain") << QString() << QStringList();
    QTest::newRow("with details") << QStringLiteral("置き換えた結果行: 3")
                                  << QStringList{QStringLiteral("詳細を表示...")};
  }

  void messageBoxIsPlainAndWaitsForOk() {
    QFETCH(QString, details);
    QFETCH(QStringList, otherButtons);
    struct Seen {
      QString title, text, details;
      QStringList otherButtons;
      bool plain = false;
      int buttons = 0;
      bool okWithoutIcon = false;
      bool modal = false;
      Qt::CursorShape windowCursor = Qt::ArrowCursor;
    } seen;
    platform_.SetMousePointer(import::ImportHost::kHourglassPointer);
    ModalDriver driver({[&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (!box) return;
      seen.title = box->windowTitle();
      seen.text = box->text();
      seen.plain = box->icon() == QMessageBox::NoIcon && box->iconPixmap().isNull();
      seen.buttons = box->buttons().size();
      QAbstractButton* ok = box->button(QMessageBox::Ok);
      seen.details = box->detailedText();
      for (const QAbstractButton* button : box->findChildren<QAbstractButton*>()) {
        if (button != ok) seen.otherButtons << button->text();
      }
      seen.okWithoutIcon = ok && ok->icon().isNull();
      seen.modal = box->isModal();
      seen.windowCursor = window_.cursor().shape();
      ok->click();
    }});
    if (details.isEmpty()) {
      platform_.ShowMessage(u"ファイルを開けません");
    } else {
      platform_.ShowMessageWithDetails(u"ファイルを開けません", main::qt::FromQString(details));
    }
    platform_.SetMousePointer(import::ImportHost::kDefaultPointer);

    QVERIFY(!driver.TimedOut());
    QCOMPARE(seen.title, QStringLiteral("ポイント取込ツール"));
    QCOMPARE(seen.text, QStringLiteral("ファイルを開けません"));
    QCOMPARE(seen.details, details);
    QCOMPARE(seen.otherButtons, otherButtons);
    QVERIFY(seen.plain);
    QCOMPARE(seen.buttons, 1 + otherButtons.size());
    QVERIFY(seen.okWithoutIcon);
    QVERIFY(seen.modal);
    QCOMPARE(seen.windowCursor, Qt::WaitCursor);
  }

  // The question before a replacement: Yes only when chosen; Enter and
  // Escape answer No.
  void questionAnswersNoUnlessYesIsChosen_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("answer");
    QTest::newRow("Enter") << int{Qt::Key_Return} << false;
    QTest::newRow("Escape") << int{Qt::Key_Escape} << false;
    QTest::newRow("Yes") << 0 << true;
  }

  void questionAnswersNoUnlessYesIsChosen() {
    QFETCH(int, key);
    QFETCH(bool, answer);
    QStringList buttons;
    bool plain = false;
    ModalDriver driver({[&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (!box) return;
      plain = box->icon() == QMessageBox::NoIcon && box->windowTitle() == window_.windowTitle();
      for (const QAbstractButton* button : box->buttons()) buttons << button->text();
      if (key == 0) {
        box->button(QMessageBox::Yes)->click();
      } else {
        QTest::keyClick(box, static_cast<Qt::Key>(key));
      }
    }});
    QCOMPARE(platform_.AskYesNo(u"置き換えますか?"), answer);
    QVERIFY(!driver.TimedOut());
    QVERIFY(plain);
    QCOMPARE(buttons.size(), 2);
  }

  void fileDialogIsQtsOwnInJapanese() {
    struct Seen {
      bool qtDialog = false;
      QString title;
      QStringList filters;
      QStringList buttons;
    } seen;
    const auto chosen = Choose({.title = u"ファイルを開く", .filter = u"XML (*.xml)|*.xml|すべて (*.*)|*.*"},
                               {[&](QWidget* modal) {
                                 auto* dialog = qobject_cast<QFileDialog*>(modal);
                                 if (!dialog) return;
                                 seen.qtDialog = dialog->testOption(QFileDialog::DontUseNativeDialog);
                                 seen.title = dialog->windowTitle();
                                 seen.filters = dialog->nameFilters();
                                 for (auto* button : dialog->findChild<QDialogButtonBox*>()->buttons()) {
                                   seen.buttons << button->text();
                                 }
                                 dialog->reject();
                               }});
    QVERIFY(!chosen);
    QVERIFY(seen.qtDialog);
    QCOMPARE(seen.title, QStringLiteral("ファイルを開く"));
    QCOMPARE(seen.filters, (QStringList{"XML (*.xml) (*.xml)", "すべて (*.*) (*)"}));
    QCOMPARE(seen.buttons, (QStringList{"開く(&O)", "キャンセル"}));
  }

  void openDialogReturnsTheFullPathAndOffersItAgain() {
    const QString path = InDir("existing.xml");
    const auto chosen = Choose({.folderMustExist = true}, {TypeAndAccept(path)});
    QVERIFY(chosen);
    QCOMPARE(ToQString(*chosen), path);

    QString offeredFolder, offeredName;
    Choose({.offeredPath = *chosen}, {[&](QWidget* modal) {
             auto* dialog = qobject_cast<QFileDialog*>(modal);
             offeredFolder = dialog->directory().absolutePath();
             offeredName = FileNameField(dialog)->text();
             dialog->reject();
           }});
    QCOMPARE(offeredFolder, QString::fromStdString(dir_.Path().string()));
    QCOMPARE(offeredName, QStringLiteral("existing.xml"));
  }

  // The folder must exist, the file need not.
  void openDialogChecksTheFolderOnly() {
    const auto missingFile = Choose({.folderMustExist = true}, {TypeAndAccept(InDir("missing.xml"))});
    QVERIFY(missingFile);
    QCOMPARE(ToQString(*missingFile), InDir("missing.xml"));

    int told = 0;
    const auto missingFolder = Choose({.folderMustExist = true}, {TypeAndAccept(InDir("no_folder/missing.xml")),
                                                                  Answer(QMessageBox::Ok, told), Cancel()});
    QVERIFY(!missingFolder);
    QCOMPARE(told, 1);
  }

  void saveDialogAsksBeforeReplacingOnlyWhenTold_data() {
    QTest::addColumn<bool>("confirmOverwrite");
    QTest::newRow("asking") << true;
    QTest::newRow("not asking") << false;
  }

  void saveDialogAsksBeforeReplacingOnlyWhenTold() {
    QFETCH(bool, confirmOverwrite);
    int asked = 0;
    std::deque<ModalDriver::Step> steps = {TypeAndAccept(InDir("existing.xml"))};
    if (confirmOverwrite) steps.push_back(Answer(QMessageBox::Yes, asked));
    const auto chosen =
        Choose({.save = true, .confirmOverwrite = confirmOverwrite, .folderMustExist = true}, std::move(steps));
    QVERIFY(chosen);
    QCOMPARE(ToQString(*chosen), InDir("existing.xml"));
    QCOMPARE(asked, confirmOverwrite ? 1 : 0);
  }

  void filterBecomesQtNameFilters_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("nameFilters");
    QTest::newRow("empty") << "" << QStringList();
    QTest::newRow("one pair") << "XML (*.xml)|*.xml" << QStringList{"XML (*.xml) (*.xml)"};
    QTest::newRow("several patterns") << "ラップ|*.xml;*.lap; *.txt"
                                      << QStringList{"ラップ (*.xml *.lap *.txt)"};
    QTest::newRow("every file") << "XML|*.xml|すべて (*.*)|*.*"
                                << QStringList{"XML (*.xml)", "すべて (*.*) (*)"};
    QTest::newRow("description without patterns") << "XML|*.xml|余り" << QStringList{"XML (*.xml)"};
    QTest::newRow("pair without pattern") << "空|;|XML|*.xml" << QStringList{"XML (*.xml)"};
  }

  void filterBecomesQtNameFilters() {
    QFETCH(QString, filter);
    QFETCH(QStringList, nameFilters);
    QCOMPARE(main::qt::ToQtNameFilters(FromQString(filter)), nameFilters);
  }
};

}  // namespace pointimport::test_support

QTEST_MAIN(pointimport::test_support::QtWindowPlatformTest)
#include "qt_window_platform_test.moc"

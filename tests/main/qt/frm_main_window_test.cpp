// The window as Qt draws it: its fixed layout, stacking, colours, focus
// order, caption and icon, and the widgets as the window's logic drives them.
#include <QCloseEvent>
#include <QScreen>
#include <QTest>

#include "main/qt/qt_text.h"
#include "window_harness.h"

namespace pointimport::test_support {

class FrmMainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void controlsLieWhereTheLayoutPutsThem_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");
    // Pixels at 15 twips each.
    QTest::newRow("cmdOpen") << "cmdOpen"
                             << "frmMain" << QRect(24, 20, 81, 25) << "開く" << true;
    QTest::newRow("cmdUpdate") << "cmdUpdate"
                               << "frmMain" << QRect(24, 148, 81, 25) << "取込" << false;
    QTest::newRow("picMain") << "picMain"
                             << "frmMain" << QRect(4, 4, 473, 185) << "" << true;
    QTest::newRow("lblEventName") << "lblEventName"
                                  << "picMain" << QRect(24, 64, 425, 29) << "" << true;
    QTest::newRow("lblKeyword") << "lblKeyword"
                                << "picMain" << QRect(24, 100, 421, 17) << "" << true;
    QTest::newRow("lblError") << "lblError"
                              << "frmMain" << QRect(12, 12, 453, 181) << "データベースファイルが見つかりません"
                              << true;
  }

  void controlsLieWhereTheLayoutPutsThem() {
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(bool, enabled);
    WindowHarness harness;
    QVERIFY(harness.Load());
    const auto* control = harness.Window().findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget()->objectName(), parent);
    QCOMPARE(control->geometry(), geometry);
    QCOMPARE(control->isEnabled(), enabled);
    if (const auto* button = qobject_cast<const QPushButton*>(control)) QCOMPARE(button->text(), text);
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
      QCOMPARE(label->text(), text);
      QCOMPARE(label->textFormat(), Qt::PlainText);
      QVERIFY(label->wordWrap());
    }
  }

  void windowHasAFixedSizeCaptionAndIcon() {
    WindowHarness harness;
    QVERIFY(harness.Load());
    auto& window = harness.Window();
    QCOMPARE(window.objectName(), QStringLiteral("frmMain"));
    QCOMPARE(window.windowTitle(), QStringLiteral("ポイント取込ツール"));
    QCOMPARE(window.size(), QSize(481, 194));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
    const QList<QSize> sizes = window.windowIcon().availableSizes();
    QVERIFY(sizes.contains(QSize(16, 16)));
    QVERIFY(sizes.contains(QSize(32, 32)));
    for (const QSize& size : sizes) {
      const QImage image = window.windowIcon().pixmap(size).toImage();
      QCOMPARE(image.size(), size);
      // A control flag: white above its diagonal, orange below it.
      QCOMPARE(image.pixelColor(size.width() / 4, size.height() / 4), QColor(Qt::white));
      QCOMPARE(image.pixelColor(size.width() * 3 / 4, size.height() * 3 / 4), QColor(245, 122, 0));
    }
  }

  // The frame is known only once the window is up, so its margins are the
  // tolerance.
  void windowOpensCentredOnTheScreen() {
    WindowHarness harness;
    QVERIFY(harness.Load());
    const QRect frame = harness.Window().frameGeometry();
    const QSize margins = frame.size() - harness.Window().size();
    const QPoint offset = frame.center() - harness.Window().screen()->availableGeometry().center();
    QVERIFY2(std::abs(offset.x()) <= margins.width() && std::abs(offset.y()) <= margins.height(),
             qPrintable(QStringLiteral("off by %1, %2").arg(offset.x()).arg(offset.y())));
  }

  // Whether the panel is shown or hidden, the buttons lie on top and the
  // error label beneath it.
  void buttonsStayAboveThePanelAndTheErrorLabelBeneath_data() {
    QTest::addColumn<bool>("databasePresent");
    QTest::newRow("connected") << true;
    QTest::newRow("not connected") << false;
  }

  void buttonsStayAboveThePanelAndTheErrorLabelBeneath() {
    QFETCH(bool, databasePresent);
    WindowHarness harness(databasePresent ? WindowFixture::Database::Present
                                          : WindowFixture::Database::Missing);
    QVERIFY(harness.Load());
    auto& window = harness.Window();
    QCOMPARE(window.childAt(60, 30), harness.Button("cmdOpen"));
    QCOMPARE(window.childAt(60, 160), harness.Button("cmdUpdate"));
    QWidget* expectedBeneath =
        databasePresent ? static_cast<QWidget*>(harness.Panel()) : harness.Label("lblError");
    QCOMPARE(window.childAt(300, 40), expectedBeneath);
    const QColor seen = window.grab().toImage().pixelColor(300, 40);
    QCOMPARE(seen == QColor(224, 224, 224), databasePresent);
    // No part of the error text lies under a button.
    const QLabel* error = harness.Label("lblError");
    const QRect errorText = error->contentsRect().translated(error->pos());
    QVERIFY(!errorText.intersects(harness.Button("cmdOpen")->geometry()));
    QVERIFY(!errorText.intersects(harness.Button("cmdUpdate")->geometry()));
    // The panel's labels go with it.
    QCOMPARE(harness.Label("lblEventName")->isVisible(), databasePresent);
    QCOMPARE(harness.Label("lblKeyword")->isVisible(), databasePresent);
  }

  void keyboardGoesFromOpenToImportOnly() {
    WindowHarness harness;
    QVERIFY(harness.Load());
    for (const char* name : {"picMain", "lblEventName", "lblKeyword", "lblError"}) {
      QCOMPARE(harness.Find<QWidget>(name)->focusPolicy(), Qt::NoFocus);
    }
    QCOMPARE(harness.Button("cmdOpen")->nextInFocusChain(), harness.Button("cmdUpdate"));
    QVERIFY(QTest::qWaitForWindowActive(&harness.Window()));
    QCOMPARE(harness.Window().focusWidget(), harness.Button("cmdOpen"));
  }

  // The buttons reach the logic, and what it sets shows: the labels with
  // the whole text as their tooltip, where the label cuts it off, and the
  // focus on Import.
  void widgetsShowWhatTheLogicSets() {
    WindowHarness harness;
    harness.Scripted().outcomes[u"/laps/e1.xml"] = {convert::Variant(true), convert::Variant(u"第1回 大会"),
                                                    convert::Variant(u"E1")};
    QVERIFY(harness.Load());
    QVERIFY(harness.Panel()->isVisible());
    harness.platform.answers.emplace_back(u"/laps/e1.xml");
    QTest::mouseClick(harness.Button("cmdOpen"), Qt::LeftButton);
    for (const char* name : {"lblEventName", "lblKeyword"}) {
      QCOMPARE(harness.Label(name)->toolTip(), harness.Label(name)->text());
    }
    QCOMPARE(harness.Label("lblEventName")->text(), QStringLiteral("第1回 大会"));
    QCOMPARE(harness.Label("lblKeyword")->text(), QStringLiteral("E1"));
    QVERIFY(harness.Button("cmdUpdate")->isEnabled());
    QCOMPARE(harness.Window().focusWidget(), harness.Button("cmdUpdate"));
  }

  // The window does not appear when its load step fails.
  void staysHiddenWhenTheLoadFails() {
    WindowHarness harness;
    outside::RegisterObject(outside::kLapComponentProgId, nullptr);
    QVERIFY(!harness.Load());
    QVERIFY(!harness.Window().isVisible());
  }

  // Closing runs the unload step and can't be held back.
  void closingAlwaysGoesAhead() {
    WindowHarness harness;
    QVERIFY(harness.Load());
    harness.connectionCalls.clear();
    QCloseEvent event;
    event.ignore();
    QCoreApplication::sendEvent(&harness.Window(), &event);
    QVERIFY(event.isAccepted());
    QCOMPARE(harness.connectionCalls, std::vector<std::u16string>{u"Close"});
  }
};

}  // namespace pointimport::test_support

QTEST_MAIN(pointimport::test_support::FrmMainWindowTest)
#include "frm_main_window_test.moc"

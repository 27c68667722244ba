#include "main/window/frm_main.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "import/import_run.h"
#include "main/database_location.h"
#include "main/window/error_report.h"
#include "main/window/label_text.h"
#include "main/window/qt_text.h"
#include "main/window/qt_window_platform.h"
#include "main/window/twips.h"
#include "main/window/window_icon.h"
#include "main/window/window_import_host.h"
#include "outside/create_object.h"

namespace pointimport::main {

namespace {

constexpr char16_t kCaption[] = u"ポイント取込ツール";
constexpr char16_t kNoDatabaseFileText[] = u"データベースファイルが見つかりません";
constexpr char16_t kCannotConnectText[] = u"データベースに接続できません";
// A stopped import has rolled back everything it did.
constexpr char16_t kNothingWrittenText[] = u"\r\n\r\n何も書き込んでいません。";
constexpr QColor kPanelColour(224, 224, 224);

QLabel* MakeLabel(QWidget* parent, const char* name, QRect geometry) {
  auto* label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setGeometry(geometry);
  // Texts come from lap files and the database: never read them as markup.
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(true);
  return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char16_t* text, QRect geometry) {
  auto* button = new QPushButton(ToQString(text), parent);
  button->setObjectName(QLatin1String(name));
  button->setGeometry(geometry);
  return button;
}

}  // namespace

frmMain::frmMain(const PlatformFactory& makePlatform)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      platform_(makePlatform(*this)) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(ToQString(kCaption));
  setWindowIcon(WindowIcon());
  setFixedSize(TwipsToPixels(7215), TwipsToPixels(2910));

  // Siblings stack in the order they are made: lblError beneath picMain,
  // the buttons above it, so that they stay usable when it is hidden.
  lblError = MakeLabel(this, "lblError", TwipRect(180, 180, 6795, 2715));
  lblError->setText(ToQString(kNoDatabaseFileText));
  // The buttons stand above the label: its text keeps clear of them, below
  // Open (300 + 375) and above Import (2220), in line with their left edge
  // (360), so that none of it lies under a button.
  constexpr int kGap = 120;
  lblError->setContentsMargins(TwipsToPixels(360 - 180), TwipsToPixels(300 + 375 + kGap - 180),
                               TwipsToPixels(180), TwipsToPixels(180 + 2715 - 2220 + kGap));

  picMain = new QWidget(this);
  picMain->setObjectName(QStringLiteral("picMain"));
  picMain->setGeometry(TwipRect(60, 60, 7095, 2775));
  picMain->setAutoFillBackground(true);
  QPalette panelPalette = picMain->palette();
  panelPalette.setColor(QPalette::Window, kPanelColour);
  picMain->setPalette(panelPalette);

  lblEventName = MakeLabel(picMain, "lblEventName", TwipRect(360, 960, 6375, 435));
  lblKeyword = MakeLabel(picMain, "lblKeyword", TwipRect(360, 1500, 6315, 255));
  dlgOpen = new CommonDialog(*platform_, picMain);
  dlgOpen->setObjectName(QStringLiteral("dlgOpen"));

  cmdOpen = MakeButton(this, "cmdOpen", u"開く", TwipRect(360, 300, 1215, 375));
  cmdUpdate = MakeButton(this, "cmdUpdate", u"取込", TwipRect(360, 2220, 1215, 375));
  cmdUpdate->setEnabled(false);
  // The labels and the panel take no focus, so the keyboard goes from one
  // button to the other.
  setTabOrder(cmdOpen, cmdUpdate);

  connect(cmdOpen, &QPushButton::clicked, this, &frmMain::cmdOpen_Click);
  connect(cmdUpdate, &QPushButton::clicked, this, &frmMain::cmdUpdate_Click);
}

std::unique_ptr<WindowPlatform> frmMain::DesktopPlatform(QWidget& window) {
  return std::make_unique<QtWindowPlatform>(window);
}

bool frmMain::LoadAndShow() {
  try {
    Form_Load();
  } catch (const convert::RuntimeError& error) {
    ReportError(error);
    return false;
  }
  ShowCentred();
  return true;
}

void frmMain::Form_Load() {
  const std::u16string connectionString = BuildConnectionString(platform_->ProgramFolder());
  cnDb = outside::CreateObjectAs<outside::Connection>(outside::kConnectionProgId);
  // The one attempt to open the database: a failure leaves the window up,
  // naming the cause where the panel would be.
  try {
    cnDb->Open(connectionString);
    picMain->show();
  } catch (const convert::RuntimeError& error) {
    picMain->hide();
    lblError->setText(ToQString(kCannotConnectText + (u"\r\n\r\n" + error.Description())));
  }
  objLap = outside::CreateObjectAs<outside::LapComponent>(outside::kLapComponentProgId);
}

void frmMain::closeEvent(QCloseEvent* event) {
  // Only a window that loaded holds a connection to close.
  if (cnDb) {
    try {
      Form_Unload();
    } catch (const convert::RuntimeError& error) {
      ReportError(error);
    }
  }
  event->accept();
}

void frmMain::Form_Unload() {
  cnDb->Close();
  cnDb.reset();
}

void frmMain::cmdUpdate_Click() {
  // A run that stops has rolled everything back; the window stays as it was
  // before the run, so the operator can mend the cause and press Import again.
  try {
    WindowImportHost host(*platform_);
    import::RunImport(*cnDb, *objLap, host);
  } catch (const convert::RuntimeError& error) {
    platform_->SetMousePointer(import::ImportHost::kDefaultPointer);
    platform_->ShowMessage(ErrorReportText(error) + kNothingWrittenText);
    return;
  }
  SetLabelText(*lblEventName, u"");
  SetLabelText(*lblKeyword, u"");
  cmdUpdate->setEnabled(false);
}

void frmMain::ShowCentred() {
  if (const QScreen* screen = this->screen()) {
    QRect centred = frameGeometry();
    centred.moveCenter(screen->availableGeometry().center());
    move(centred.topLeft());
  }
  show();
}

void frmMain::ReportError(const convert::RuntimeError& error) {
  platform_->ShowMessage(ErrorReportText(error));
}

}  // namespace pointimport::main

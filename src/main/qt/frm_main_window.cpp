#include "main/qt/frm_main_window.h"

#include <QCloseEvent>
#include <QScreen>

#include "main/form/frm_main_layout.h"
#include "main/qt/qt_text.h"
#include "main/qt/qt_window_platform.h"
#include "main/qt/window_icon.h"

namespace pointimport::main::qt {

namespace {

QRect ToQRect(const form::Rect& rect) { return {rect.left, rect.top, rect.width, rect.height}; }

template <class Kind = Label>
Kind* MakeLabel(QWidget* parent, const char* name, const form::Rect& geometry) {
  auto* label = new Kind(parent);
  label->setObjectName(QLatin1String(name));
  label->setGeometry(ToQRect(geometry));
  // Texts come from lap files and the database: never read them as markup.
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(true);
  return label;
}

Button* MakeButton(QWidget* parent, const char* name, const char16_t* text, const form::Rect& geometry) {
  auto* button = new Button(ToQString(text), parent);
  button->setObjectName(QLatin1String(name));
  button->setGeometry(ToQRect(geometry));
  return button;
}

}  // namespace

FrmMainWindow::FrmMainWindow(const PlatformFactory& makePlatform)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      platform_(makePlatform(*this)) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(ToQString(form::kWindowCaption));
  setWindowIcon(WindowIcon());
  setFixedSize(form::kClientWidth, form::kClientHeight);

  // Siblings stack in the order they are made: lblError beneath picMain,
  // the buttons above it, so that they stay usable when it is hidden.
  lblError = MakeLabel(this, "lblError", form::kLblErrorRect);
  lblError->setText(ToQString(form::kLblErrorText));
  const form::Margins& margins = form::kLblErrorTextMargins;
  lblError->setContentsMargins(margins.left, margins.top, margins.right, margins.bottom);

  picMain = new Panel(this);
  picMain->setObjectName(QStringLiteral("picMain"));
  picMain->setGeometry(ToQRect(form::kPicMainRect));
  picMain->setAutoFillBackground(true);
  QPalette panelPalette = picMain->palette();
  panelPalette.setColor(QPalette::Window, QColor(form::kPicMainRed, form::kPicMainGreen, form::kPicMainBlue));
  picMain->setPalette(panelPalette);

  lblEventName = MakeLabel<LongTextLabel>(picMain, "lblEventName", form::kLblEventNameRect);
  lblKeyword = MakeLabel<LongTextLabel>(picMain, "lblKeyword", form::kLblKeywordRect);

  cmdOpen = MakeButton(this, "cmdOpen", form::kCmdOpenText, form::kCmdOpenRect);
  cmdUpdate = MakeButton(this, "cmdUpdate", form::kCmdUpdateText, form::kCmdUpdateRect);
  cmdUpdate->setEnabled(false);
  // The labels and the panel take no focus, so the keyboard goes from one
  // button to the other.
  setTabOrder(cmdOpen, cmdUpdate);

  form_.emplace(*platform_, form::FrmMainControls{.picMain = *picMain,
                                                  .lblError = *lblError,
                                                  .lblEventName = *lblEventName,
                                                  .lblKeyword = *lblKeyword,
                                                  .cmdUpdate = *cmdUpdate});
  connect(cmdOpen, &QPushButton::clicked, this, [this] { form_->cmdOpen_Click(); });
  connect(cmdUpdate, &QPushButton::clicked, this, [this] { form_->cmdUpdate_Click(); });
}

std::unique_ptr<form::WindowPlatform> FrmMainWindow::DesktopPlatform(QWidget& window) {
  return std::make_unique<QtWindowPlatform>(window);
}

bool FrmMainWindow::LoadAndShow() {
  if (!form_->Load()) return false;
  ShowCentred();
  return true;
}

void FrmMainWindow::closeEvent(QCloseEvent* event) {
  form_->Unload();
  event->accept();
}

void FrmMainWindow::ShowCentred() {
  if (const QScreen* screen = this->screen()) {
    QRect centred = frameGeometry();
    centred.moveCenter(screen->availableGeometry().center());
    move(centred.topLeft());
  }
  show();
}

}  // namespace pointimport::main::qt

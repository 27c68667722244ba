#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "main/form/frm_main.h"
#include "main/form/window_platform.h"
#include "main/qt/controls.h"

namespace pointimport::main::qt {

// The program's one window drawn by Qt: its widgets, laid out as the form
// gives them, with the form's logic behind their events.
class FrmMainWindow : public QWidget {
  Q_OBJECT

 public:
  using PlatformFactory = std::function<std::unique_ptr<form::WindowPlatform>(QWidget& window)>;

  explicit FrmMainWindow(const PlatformFactory& makePlatform = DesktopPlatform);

  // Runs the load step, then shows the window centred on the screen. False
  // when the load step failed: the error has been reported, the window
  // stays hidden, and the program is to end.
  bool LoadAndShow();

 protected:
  // The unload step; closing the window always goes ahead.
  void closeEvent(QCloseEvent* event) override;

 private:
  static std::unique_ptr<form::WindowPlatform> DesktopPlatform(QWidget& window);

  void ShowCentred();

  std::unique_ptr<form::WindowPlatform> platform_;
  Label* lblError;
  Panel* picMain;
  LongTextLabel* lblEventName;
  LongTextLabel* lblKeyword;
  Button* cmdOpen;
  Button* cmdUpdate;
  std::optional<form::frmMain> form_;
};

}  // namespace pointimport::main::qt

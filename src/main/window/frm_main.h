#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "convert/runtime_error.h"
#include "main/window/common_dialog.h"
#include "main/window/window_platform.h"
#include "outside/connection.h"
#include "outside/lap_component.h"

class QLabel;
class QPushButton;

namespace pointimport::main {

// The program's one window: it connects to the points database and creates
// the lap-file component when it loads, shows the event of the lap file
// that the operator opens, and starts the import of it.
class frmMain : public QWidget {
  Q_OBJECT

 public:
  using PlatformFactory = std::function<std::unique_ptr<WindowPlatform>(QWidget& window)>;

  explicit frmMain(const PlatformFactory& makePlatform = DesktopPlatform);

  // Runs the load step, then shows the window centred on the screen. False
  // when the load step failed: the error has been reported, the window
  // stays hidden, and the program is to end.
  bool LoadAndShow();

 protected:
  // The unload step; closing the window always goes ahead.
  void closeEvent(QCloseEvent* event) override;

 private:
  static std::unique_ptr<WindowPlatform> DesktopPlatform(QWidget& window);

  void Form_Load();
  void Form_Unload();
  void cmdOpen_Click();
  void cmdUpdate_Click();

  void OpenLapFile();
  std::u16string CannotOpenMessage();
  void ShowCentred();
  // How each handler ends on an error it does not trap.
  void ReportError(const convert::RuntimeError& error);

  std::unique_ptr<WindowPlatform> platform_;
  std::shared_ptr<outside::Connection> cnDb;
  std::shared_ptr<outside::LapComponent> objLap;

  QLabel* lblError;
  QWidget* picMain;
  QLabel* lblEventName;
  QLabel* lblKeyword;
  CommonDialog* dlgOpen;
  QPushButton* cmdOpen;
  QPushButton* cmdUpdate;
};

}  // namespace pointimport::main

#pragma once

#include <memory>
#include <string>

#include "convert/runtime_error.h"
#include "main/form/common_dialog.h"
#include "main/form/controls.h"
#include "main/form/window_platform.h"
#include "outside/connection.h"
#include "outside/lap_component.h"

namespace pointimport::main::form {

// The controls that the window's logic changes; cmdOpen only calls it.
struct FrmMainControls {
  Panel& picMain;
  Label& lblError;
  Label& lblEventName;
  Label& lblKeyword;
  Button& cmdUpdate;
};

// The program's one window, apart from the toolkit that draws it: it
// connects to the points database and creates the lap-file component when
// it loads, shows the event of the lap file that the operator opens, and
// starts the import of it. Every handler traps the errors it does not
// expect, so none of them throws.
class frmMain {
 public:
  frmMain(WindowPlatform& platform, const FrmMainControls& controls);

  // The load step. False when it failed: the error has been reported, and
  // the window is not to appear.
  bool Load();
  // The unload step, for a window that loaded; closing goes ahead whatever
  // it reports.
  void Unload();
  void cmdOpen_Click();
  void cmdUpdate_Click();

 private:
  void Form_Load();
  void Form_Unload();
  void OpenLapFile();
  void ShowLoadWarnings();
  bool OperatorAllowsImport();
  std::u16string CannotOpenMessage();
  // How each handler ends on an error it does not trap.
  void ReportError(const convert::RuntimeError& error);

  WindowPlatform& platform_;
  FrmMainControls controls_;
  CommonDialog dlgOpen;
  std::shared_ptr<outside::Connection> cnDb;
  std::shared_ptr<outside::LapComponent> objLap;
};

}  // namespace pointimport::main::form

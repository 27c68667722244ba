#pragma once

#include <string>

#include "import/import_host.h"
#include "main/form/window_platform.h"

namespace pointimport::main::form {

// The window as an import run's host: the platform's pointer, events and
// message boxes, and at the end of a run the report saved beside the points
// database and offered behind the completion message's details button.
class WindowImportHost : public import::ImportHost {
 public:
  explicit WindowImportHost(WindowPlatform& platform) : platform_(platform) {}

  void SetMousePointer(int pointer) override { platform_.SetMousePointer(pointer); }
  void DoEvents() override { platform_.DoEvents(); }
  void ShowMessage(const std::u16string& text) override { platform_.ShowMessage(text); }
  // A report that cannot be saved never undoes the import; the details say why.
  void ShowCompletion(const std::u16string& message, const import::ImportReport& report) override;

 private:
  WindowPlatform& platform_;
};

}  // namespace pointimport::main::form

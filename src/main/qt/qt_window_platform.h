#pragma once

#include <optional>
#include <string>

#include "main/form/window_platform.h"

class QWidget;

namespace pointimport::main::qt {

// The desktop behind the window: Qt's dialogs, the window's own cursor and
// Qt's event loop.
class QtWindowPlatform : public form::WindowPlatform {
 public:
  explicit QtWindowPlatform(QWidget& window) : window_(window) {}

  std::u16string ProgramFolder() override;
  std::optional<std::u16string> ChooseFile(const form::FileChoice& choice) override;
  // 11 shows the hourglass over the window, anything else the default pointer.
  void SetMousePointer(int pointer) override;
  void DoEvents() override;
  void ShowMessage(const std::u16string& text) override;
  void ShowMessageWithDetails(const std::u16string& text, const std::u16string& details) override;
  bool AskYesNo(const std::u16string& text) override;

 private:
  QWidget& window_;
};

}  // namespace pointimport::main::qt

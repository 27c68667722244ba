#include "main/qt/qt_window_platform.h"

#include <QCoreApplication>
#include <QWidget>

#include "main/database_location.h"
#include "main/qt/plain_message_box.h"
#include "main/qt/qt_file_chooser.h"
#include "main/qt/qt_text.h"
#include "platform/program_folder.h"

namespace pointimport::main::qt {

std::u16string QtWindowPlatform::ProgramFolder() { return platform::ProgramFolder(); }

std::optional<std::u16string> QtWindowPlatform::ChooseFile(const form::FileChoice& choice) {
  return ChooseFileWithQt(&window_, choice);
}

void QtWindowPlatform::SetMousePointer(int pointer) {
  if (pointer == kHourglassPointer) {
    window_.setCursor(Qt::WaitCursor);
  } else {
    window_.unsetCursor();
  }
}

void QtWindowPlatform::DoEvents() { QCoreApplication::processEvents(); }

void QtWindowPlatform::ShowMessage(const std::u16string& text) {
  // The application's title is the window's caption.
  ShowPlainMessage(&window_, window_.windowTitle(), ToQString(text));
}

void QtWindowPlatform::ShowMessageWithDetails(const std::u16string& text, const std::u16string& details) {
  ShowPlainMessage(&window_, window_.windowTitle(), ToQString(text), ToQString(details));
}

bool QtWindowPlatform::AskYesNo(const std::u16string& text) {
  return AskPlainYesNo(&window_, window_.windowTitle(), ToQString(text));
}

}  // namespace pointimport::main::qt

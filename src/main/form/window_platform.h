#pragma once

#include <string>

#include "import/import_host.h"
#include "main/form/file_chooser.h"

namespace pointimport::main::form {

// Everything the window's logic asks of the desktop: the program folder, the
// file dialog, and what an import run asks of its host (the window's mouse
// pointer, one round of pending events, a message box with no icon and one
// OK button under the window's caption). The program uses Qt behind it;
// tests put a recording fake in its place.
class WindowPlatform : public import::ImportHost, public FileChooser {
 public:
  // The folder of the running program's file.
  virtual std::u16string ProgramFolder() = 0;
  // ShowMessage's box, with details the operator may open: plain text.
  virtual void ShowMessageWithDetails(const std::u16string& text, const std::u16string& details) = 0;
  // A box with no icon and the buttons Yes and No under the window's
  // caption, No the default (Enter and Escape answer No); true only when the
  // operator chose Yes.
  virtual bool AskYesNo(const std::u16string& text) = 0;
};

}  // namespace pointimport::main::form

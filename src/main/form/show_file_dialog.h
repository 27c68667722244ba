#pragma once

#include <cstdint>
#include <string>

#include "main/form/file_dialog_control.h"

namespace pointimport::main::form {

enum FileDialogMode : std::int32_t {
  kOpenDialog = 0,
  kSaveDialogAskingToOverwrite = 1,
  kSaveDialog = 2,
};

// Configures and shows the dialog; returns the chosen path, or "" when the
// user cancelled or the dialog failed with a positive error number. A mode
// other than the three shows nothing and returns the dialog's FileName.
// Only a failure to set the title, the filter or CancelError reaches the
// caller.
std::u16string ShowFileDialog(FileDialogControl& dialog, std::int32_t mode, const std::u16string& title,
                              const std::u16string& filter);

}  // namespace pointimport::main::form

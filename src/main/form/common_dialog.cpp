#include "main/form/common_dialog.h"

#include "convert/runtime_error.h"

namespace pointimport::main::form {

void CommonDialog::ShowOpen() { Show(false); }

void CommonDialog::ShowSave() { Show(true); }

void CommonDialog::Show(bool save) {
  const FileChoice choice{
      .title = title_,
      .filter = filter_,
      .offeredPath = fileName_,
      .save = save,
      .confirmOverwrite = save && (flags_ & file_dialog_flag::kOverwritePrompt) != 0,
      .folderMustExist = (flags_ & file_dialog_flag::kPathMustExist) != 0,
  };
  const auto chosen = chooser_.ChooseFile(choice);
  if (chosen) {
    fileName_ = *chosen;
  } else if (cancelError_) {
    throw convert::RuntimeError(convert::error_number::kFileDialogCancelled, u"キャンセルが選択されました。");
  }
}

}  // namespace pointimport::main::form

#pragma once

#include <cstdint>
#include <string>

#include "main/form/file_chooser.h"
#include "main/form/file_dialog_control.h"

namespace pointimport::main::form {

// The window's file dialog control: never visible itself, it keeps the
// settings and the last chosen path and asks a FileChooser for the file.
class CommonDialog : public FileDialogControl {
 public:
  explicit CommonDialog(FileChooser& chooser) : chooser_(chooser) {}

  void SetDialogTitle(const std::u16string& title) override { title_ = title; }
  void SetFilter(const std::u16string& filter) override { filter_ = filter; }
  void SetCancelError(bool cancelError) override { cancelError_ = cancelError; }
  void SetFlags(std::int32_t flags) override { flags_ = flags; }
  void ShowOpen() override;
  void ShowSave() override;
  std::u16string FileName() const override { return fileName_; }

 private:
  void Show(bool save);

  FileChooser& chooser_;
  std::u16string title_;
  std::u16string filter_;
  bool cancelError_ = false;
  std::int32_t flags_ = 0;
  std::u16string fileName_;
};

}  // namespace pointimport::main::form

#pragma once

#include <cstdint>
#include <string>

namespace pointimport::main::form {

// The option bits of Flags that the window's file dialog acts on; the others
// are accepted and ignored.
namespace file_dialog_flag {
inline constexpr std::int32_t kOverwritePrompt = 0x2;
inline constexpr std::int32_t kPathMustExist = 0x800;
}  // namespace file_dialog_flag

// The members of a file dialog control that ShowFileDialog uses. Every
// failure is a convert::RuntimeError.
class FileDialogControl {
 public:
  virtual ~FileDialogControl() = default;
  virtual void SetDialogTitle(const std::u16string& title) = 0;
  // "description|patterns|description|patterns", patterns separated by ";".
  virtual void SetFilter(const std::u16string& filter) = 0;
  // When set, cancelling raises error_number::kFileDialogCancelled.
  virtual void SetCancelError(bool cancelError) = 0;
  virtual void SetFlags(std::int32_t flags) = 0;
  virtual void ShowOpen() = 0;
  virtual void ShowSave() = 0;
  // The path chosen last; kept between uses.
  virtual std::u16string FileName() const = 0;
};

}  // namespace pointimport::main::form

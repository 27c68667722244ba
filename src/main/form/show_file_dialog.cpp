#include "main/form/show_file_dialog.h"

#include "convert/runtime_error.h"

namespace pointimport::main::form {

namespace {

constexpr std::int32_t kOpenFlags = 0x44CC8;
constexpr std::int32_t kSaveAskingFlags = 0x448E2;
constexpr std::int32_t kSaveFlags = 0x448E0;

// Runs one step the way a trapped routine does: a failing step does not stop
// the routine, and its error number is kept until a later step fails.
template <class Step>
void Trapped(std::int32_t& lastError, Step step) {
  try {
    step();
  } catch (const convert::RuntimeError& error) {
    lastError = error.Number();
  }
}

}  // namespace

std::u16string ShowFileDialog(FileDialogControl& dialog, std::int32_t mode, const std::u16string& title,
                              const std::u16string& filter) {
  dialog.SetDialogTitle(title);
  dialog.SetFilter(filter);
  dialog.SetCancelError(true);

  std::int32_t lastError = 0;
  const auto show = [&](std::int32_t flags, void (FileDialogControl::*showMember)()) {
    Trapped(lastError, [&] { dialog.SetFlags(flags); });
    Trapped(lastError, [&] { (dialog.*showMember)(); });
  };
  switch (mode) {
    case kOpenDialog:
      show(kOpenFlags, &FileDialogControl::ShowOpen);
      break;
    case kSaveDialogAskingToOverwrite:
      show(kSaveAskingFlags, &FileDialogControl::ShowSave);
      break;
    case kSaveDialog:
      show(kSaveFlags, &FileDialogControl::ShowSave);
      break;
    default:
      break;
  }
  // A negative number is a warning of the dialog, not a refusal: the path
  // it holds still counts.
  if (lastError > 0) return u"";
  std::u16string path;
  Trapped(lastError, [&] { path = dialog.FileName(); });
  return path;
}

}  // namespace pointimport::main::form

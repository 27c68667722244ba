#include "convert/variant.h"
#include "import/lap_load_failed.h"
#include "main/form/frm_main.h"
#include "main/form/show_file_dialog.h"

namespace pointimport::main::form {

namespace {

constexpr char16_t kDialogTitle[] = u"ファイルを開く";
constexpr char16_t kCannotOpenText[] = u"ファイルを開けません";
constexpr char16_t kNoKeywordText[] = u"[エラー] ファイル名キーワードが指定されていません";

}  // namespace

// The fixed message, then, after an empty line, why the file could not be
// read, where the component can tell.
std::u16string frmMain::CannotOpenMessage() {
  const std::u16string reason = convert::ToText(objLap->FileControl()->LastLoadError());
  return reason.empty() ? std::u16string(kCannotOpenText) : kCannotOpenText + (u"\r\n\r\n" + reason);
}

void frmMain::cmdOpen_Click() {
  try {
    OpenLapFile();
  } catch (const convert::RuntimeError& error) {
    // A lap file that turns out broken must not end the program: the
    // operator is told, and the labels stay as they were. Import does not:
    // the component may already hold the new file, and importing it under
    // the old event's labels would write an event other than the one shown.
    ReportError(error);
    controls_.cmdUpdate.SetEnabled(false);
    platform_.SetMousePointer(import::ImportHost::kDefaultPointer);
  }
}

void frmMain::OpenLapFile() {
  const std::u16string filter = convert::ToText(objLap->FileControl()->FileLoadFilter());
  const std::u16string path = ShowFileDialog(dlgOpen, kOpenDialog, kDialogTitle, filter);
  if (path.empty()) return;

  platform_.SetMousePointer(import::ImportHost::kHourglassPointer);
  platform_.DoEvents();
  if (import::LapLoadFailed(objLap->FileControl()->LoadLapFile(path)))
    platform_.ShowMessage(CannotOpenMessage());

  // Both texts are read before either is shown, so that one which cannot be
  // shown leaves the labels and the button as they were.
  const std::u16string description = convert::ToText(objLap->EventData()->ToString());
  const std::u16string keyword = convert::ToText(objLap->EventData()->FileName());
  controls_.lblEventName.SetText(description);
  if (keyword.empty()) {
    controls_.lblKeyword.SetText(kNoKeywordText);
    controls_.cmdUpdate.SetEnabled(false);
  } else {
    controls_.lblKeyword.SetText(keyword);
    controls_.cmdUpdate.SetEnabled(true);
    controls_.cmdUpdate.SetFocus();
  }
  platform_.SetMousePointer(import::ImportHost::kDefaultPointer);
  // Told now, while the operator can still choose another file.
  if (!keyword.empty()) ShowLoadWarnings();
}

}  // namespace pointimport::main::form

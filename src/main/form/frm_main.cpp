#include "main/form/frm_main.h"

#include <vector>

#include "import/import_run.h"
#include "import/load_warnings.h"
#include "import/loaded_event.h"
#include "import/replace_check.h"
#include "main/database_location.h"
#include "main/form/error_report.h"
#include "main/form/window_import_host.h"
#include "outside/create_object.h"

namespace pointimport::main::form {

namespace {

constexpr char16_t kCannotConnectText[] = u"データベースに接続できません";
// A stopped import has rolled back everything it did.
constexpr char16_t kNothingWrittenText[] = u"\r\n\r\n何も書き込んでいません。";
constexpr char16_t kImportAnywayText[] = u"\r\n\r\nそれでも取り込みますか?";

std::u16string JoinLines(const std::vector<std::u16string>& lines) {
  std::u16string text;
  for (const auto& line : lines) text += (text.empty() ? u"" : u"\r\n") + line;
  return text;
}

}  // namespace

frmMain::frmMain(WindowPlatform& platform, const FrmMainControls& controls)
    : platform_(platform), controls_(controls), dlgOpen(platform) {}

bool frmMain::Load() {
  try {
    Form_Load();
  } catch (const convert::RuntimeError& error) {
    ReportError(error);
    return false;
  }
  return true;
}

void frmMain::Form_Load() {
  const std::u16string folder = platform_.ProgramFolder();
  const std::u16string connectionString = BuildConnectionString(folder);
  // Where the data lives, for an operator who has to find or back it up.
  controls_.picMain.SetToolTip(u"ポイントデータベース: " + DatabasePath(folder));
  cnDb = outside::CreateObjectAs<outside::Connection>(outside::kConnectionProgId);
  // The one attempt to open the database: a failure leaves the window up,
  // naming the cause where the panel would be.
  try {
    cnDb->Open(connectionString);
    controls_.picMain.SetVisible(true);
  } catch (const convert::RuntimeError& error) {
    controls_.picMain.SetVisible(false);
    controls_.lblError.SetText(kCannotConnectText + (u"\r\n\r\n" + error.Description()));
  }
  objLap = outside::CreateObjectAs<outside::LapComponent>(outside::kLapComponentProgId);
}

void frmMain::Unload() {
  // Only a window that loaded holds a connection to close.
  if (!cnDb) return;
  try {
    Form_Unload();
  } catch (const convert::RuntimeError& error) {
    ReportError(error);
  }
}

void frmMain::Form_Unload() {
  cnDb->Close();
  cnDb.reset();
}

void frmMain::cmdUpdate_Click() {
  // A run that stops has rolled everything back; the window stays as it was
  // before the run, so the operator can mend the cause and press Import again.
  try {
    if (!OperatorAllowsImport()) return;
    WindowImportHost host(platform_);
    import::RunImport(*cnDb, *objLap, host);
  } catch (const convert::RuntimeError& error) {
    platform_.SetMousePointer(import::ImportHost::kDefaultPointer);
    platform_.ShowMessage(ErrorReportText(error) + kNothingWrittenText);
    return;
  }
  controls_.lblEventName.SetText(u"");
  controls_.lblKeyword.SetText(u"");
  controls_.cmdUpdate.SetEnabled(false);
}

// An import that would replace another event, or store one event twice,
// waits for the operator's yes; a No leaves everything as it is.
bool frmMain::OperatorAllowsImport() {
  const std::vector<std::u16string> facts =
      import::SurprisingReplacement(*cnDb, import::ReadLoadedEvent(*objLap));
  return facts.empty() || platform_.AskYesNo(JoinLines(facts) + kImportAnywayText);
}

void frmMain::ShowLoadWarnings() {
  const std::vector<std::u16string> warnings = import::LoadWarnings(import::ReadLoadedEvent(*objLap));
  if (!warnings.empty()) platform_.ShowMessage(u"このファイルについて:\r\n\r\n" + JoinLines(warnings));
}

void frmMain::ReportError(const convert::RuntimeError& error) { platform_.ShowMessage(ErrorReportText(error)); }

}  // namespace pointimport::main::form

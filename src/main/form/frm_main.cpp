#include "main/form/frm_main.h"

#include "import/import_run.h"
#include "main/database_location.h"
#include "main/form/error_report.h"
#include "main/form/window_import_host.h"
#include "outside/create_object.h"

namespace pointimport::main::form {

namespace {

constexpr char16_t kCannotConnectText[] = u"データベースに接続できません";
// A stopped import has rolled back everything it did.
constexpr char16_t kNothingWrittenText[] = u"\r\n\r\n何も書き込んでいません。";

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
  const std::u16string connectionString = BuildConnectionString(platform_.ProgramFolder());
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

void frmMain::ReportError(const convert::RuntimeError& error) { platform_.ShowMessage(ErrorReportText(error)); }

}  // namespace pointimport::main::form

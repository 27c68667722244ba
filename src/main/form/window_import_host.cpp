#include "main/form/window_import_host.h"

#include <ctime>

#include "main/database_location.h"
#include "main/report_file.h"

namespace pointimport::main::form {

void WindowImportHost::ShowCompletion(const std::u16string& message, const import::ImportReport& report) {
  const SavedReport saved =
      SaveHtmlReport(report, AddPathSeparator(platform_.ProgramFolder()) + u"reports", std::time(nullptr));
  platform_.ShowMessageWithDetails(message, CompletionDetails(report, saved));
}

}  // namespace pointimport::main::form

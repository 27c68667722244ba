#pragma once

#include <string>

#include "import/import_report.h"

namespace pointimport::main {

// The report of one file in a few lines, for the command line and the
// window's details:
//   速報 (Snapshot)                       (for a provisional list only)
//   置き換えた結果行: N
//   新規個人: N
//   補完した個人: N
//   0 ポイント: N (REASON n、REASON n)  (the reasons that occurred)
//   注意: N
std::u16string ReportSummaryText(const import::ImportReport& report);

}  // namespace pointimport::main

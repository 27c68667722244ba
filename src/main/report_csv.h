#pragma once

#include <iosfwd>
#include <vector>

#include "import/import_report.h"

namespace pointimport::main {

// The report as CSV for a spreadsheet: UTF-8 with a byte-order mark, CRLF
// line ends, RFC 4180 quoting, one header row, then one row per result in
// the order of the runs. Values stand exactly as read, control characters
// included, but for a leading apostrophe before text from a lap file or the
// database that a spreadsheet would take for a formula.
void WriteCsvReport(const std::vector<import::ImportReport>& reports, std::ostream& out);

}  // namespace pointimport::main

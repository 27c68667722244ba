#pragma once

#include <iosfwd>
#include <vector>

#include "import/import_report.h"

namespace pointimport::main {

// The report as one self-contained page for people (inline style, no script,
// nothing fetched from outside), also well-formed XHTML: per file its
// summary, then per class a table of its results with the reference results
// marked, zero-point rows with their reason, new persons and flagged rows
// highlighted. Every text from a lap file or the database is escaped.
void WriteHtmlReport(const std::vector<import::ImportReport>& reports, std::ostream& out);

}  // namespace pointimport::main

#pragma once

#include <cstdint>

#include "import/failure_lines.h"
#include "import/import_host.h"
#include "import/import_report.h"
#include "outside/connection.h"
#include "outside/lap_component.h"

namespace pointimport::import {

struct ImportOptions {
  // Do the whole run, then roll it back: shows what would be written.
  bool dryRun = false;
};

struct ImportSummary {
  std::int32_t classCount = 0;
  std::int32_t resultRowsWritten = 0;
  FailureLines failures;
  ImportReport report;
};

// Replaces everything the points database holds about the loaded event with
// what the lap file says, and tells the operator when it is done (through
// ImportHost::ShowCompletion, with the run's report).
//
// The run is one transaction: an error anywhere outside the trapped row
// writes rolls everything back, so the database is then exactly as before,
// and the error goes to the caller (the pointer is left to it as well). A
// person write or result insert that the database refuses or ignores is
// undone alone, gives a failure line, and the rest of the run still commits
// — unless not one result row was written: then the run is rolled back and
// raises error_number::kNoResultRowWritten, as a stopped run raises its
// error, since committing would only delete the event's old rows.
ImportSummary RunImport(outside::Connection& connection, outside::LapComponent& component, ImportHost& host,
                        const ImportOptions& options = {});

}  // namespace pointimport::import

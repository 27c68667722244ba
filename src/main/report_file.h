#pragma once

#include <ctime>
#include <string>

#include "import/import_report.h"

namespace pointimport::main {

struct SavedReport {
  bool saved = false;
  std::u16string path;    // the file written, when saved
  std::u16string reason;  // why not, when not saved
};

// Writes the HTML report of one import into folder (made when missing),
// named from the keyword and the local time of `when`, e.g.
// "KANTO-2024_20261209-031500.html"; a name already taken, by a file or a
// link, gets "-2", "-3"… Characters a file name cannot or should not hold
// become "_", and a long keyword is cut, between characters, so that the name
// fits the file system's limit in bytes. A report that cannot be written
// leaves no file behind.
SavedReport SaveHtmlReport(const import::ImportReport& report, const std::u16string& folder, std::time_t when);

// What the window's completion message shows behind its details button: the
// file's summary, then where the report was saved or why it was not.
std::u16string CompletionDetails(const import::ImportReport& report, const SavedReport& saved);

}  // namespace pointimport::main

#pragma once

#include <string>
#include <vector>

#include "import/loaded_event.h"
#include "outside/connection.h"

namespace pointimport::import {

// What importing the loaded event would do that the operator may not
// expect, as lines naming the stored event and the file's; none when the
// import only adds a new event or brings a stored one up to date:
// - it would replace a stored event of another name or date, or one that
//   holds more than twice as many result rows (or any, when the file has
//   none), which is another event under a reused keyword or a cut file;
// - the same event is stored under another keyword, so that every runner
//   would score twice.
// Reads only; the window asks before importing, the command line refuses.
std::vector<std::u16string> SurprisingReplacement(outside::Connection& connection, const LoadedEvent& loaded);

}  // namespace pointimport::import

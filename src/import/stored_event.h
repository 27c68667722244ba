#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "import/loaded_event.h"
#include "outside/connection.h"

namespace pointimport::import {

// An event as the points database holds it: the texts of its event row and
// how many result rows stand under its keyword.
struct StoredEvent {
  std::u16string keyword;
  std::u16string name;
  std::u16string date;
  std::int64_t resultRows = 0;
};

// What is stored under the keyword; nothing when neither an event row nor
// result rows are. Reads only.
std::optional<StoredEvent> LookUpStoredEvent(outside::Connection& connection, const std::u16string& keyword);

// The loaded event as the import would store it. The database turns the
// insert's own literals into the texts, so that they compare with stored
// ones exactly, whatever kinds the component hands out.
StoredEvent AsStored(outside::Connection& connection, const LoadedEvent& loaded);

// A stored event under another keyword that is the loaded one: the same
// name and date (when the file has both), or the very same result rows (a
// file without a name or date, such as a CSV export downloaded twice, is
// told by its runners and their times). Results corrected since, under a
// nameless file, are not found: the rule never takes two different events
// for one.
std::optional<StoredEvent> FindSameEventElsewhere(outside::Connection& connection, const LoadedEvent& loaded,
                                                  const StoredEvent& asStored);

}  // namespace pointimport::import

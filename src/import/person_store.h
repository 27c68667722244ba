#pragma once

#include <cstdint>
#include <string>

#include "convert/variant.h"
#include "import/import_report.h"
#include "import/import_run_state.h"
#include "outside/lap_component.h"

namespace pointimport::import {

// What StorePerson did, with the values it read from the result object.
struct StoredPerson {
  std::u16string id;
  convert::Variant runnerName;  // as read for the ID
  convert::Variant clubName;    // the file's club
  PersonState state = PersonState::New;
  bool otherClub = false;              // found with a club that differs from the file's, both set
  bool storedValueUnreadable = false;  // found, and left as it is: a field is no UTF-8 text
  std::u16string failureCause;         // why the write was not done (see WriteRow)
};

// Brings the runner's PERSON row up to date; the person ID is the result's.
//
// A stored person keeps the stored name, club and sex; the lap file only
// fills those that are empty. A stored person with a field that cannot be
// read exactly as text is not written at all. The look-up is not trapped:
// its failure stops the run. A refused or ignored write adds a failure line
// and leaves the row as it was; the ID is returned all the same. The
// statements are built in the run's statement, which holds the last of them
// afterwards.
StoredPerson StorePerson(ImportRun& run, outside::LapResult& result, std::int32_t classNumber);

}  // namespace pointimport::import

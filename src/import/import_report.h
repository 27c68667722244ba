#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "convert/variant.h"

namespace pointimport::import {

// Why a result got exactly 0 points: the first test that applied, in the
// order the points are decided. None when the points came from the times.
enum class ZeroPointReason {
  None,
  FewerThanThree,       // the class has fewer than three results
  TopThreeTimeUnknown,  // one of the first three results is no date or time
  ReferenceZero,        // the mean of the first three is exactly 0
  RankNotNumeric,
  RankInParentheses,
  NoTime,  // the runner's own result reads as no time, or as 0
};
inline constexpr std::size_t kZeroPointReasonCount = 7;

// What became of the runner's PERSON row.
enum class PersonState {
  New,        // inserted
  Completed,  // found, and the update filled at least one empty field
  Existing,   // found, and nothing changed
  Refused,    // the database refused or ignored the write
};

// Things an operator may want to look at; a row may carry several.
enum ResultFlag : unsigned {
  kEmptyPersonId = 1u << 0,
  kOtherClub = 1u << 1,        // the stored club and the file's club differ, both set
  kSameIdOtherName = 1u << 2,  // another result of the file has this ID under another name
  // A stored field of the person is no UTF-8 text (another encoding, a
  // BLOB): the row was left as it is, unread fields unfilled.
  kStoredValueUnreadable = 1u << 3,
};

// One result object of the run, with the values the run read from it.
struct ResultReport {
  std::int32_t classNumber = 0;
  convert::Variant className;  // the result's own, as RESULT.CLASS got it
  convert::Variant rank;
  convert::Variant runnerName;
  convert::Variant clubName;
  std::u16string personId;
  PersonState person = PersonState::New;
  convert::Variant result;
  double points = 0.0;
  ZeroPointReason reason = ZeroPointReason::None;
  bool written = false;
  unsigned flags = 0;
  // Why writes of this row were not done, person first: the database's
  // message, or that it ignored the row.
  std::vector<std::u16string> causes;
};

// One class of the run. The reference results are result objects 1 to 3,
// listed only when the class has at least three.
struct ClassReport {
  std::int32_t number = 0;
  convert::Variant name;  // ClassData(number).ClassName
  std::int32_t resultCount = 0;
  bool referenceValid = false;
  ZeroPointReason whyNoReference = ZeroPointReason::FewerThanThree;
  std::array<convert::Variant, 3> referenceTimes;  // the Result values the mean was made of
  double referenceTime = 0.0;                      // a date number; 0 when not computed
  std::size_t firstResult = 0;                     // index of its first result in ImportReport::results
};

// What one import did, beside the rows it wrote: for the operator's report.
struct ImportReport {
  std::u16string keyword;
  convert::Variant description;  // EventData.ToString, read before the run
  bool dryRun = false;
  bool provisional = false;
  std::int64_t resultRowsReplaced = 0;  // rows of the keyword the results delete removed
  std::int32_t resultRowsWritten = 0;
  std::int32_t resultRowsRefused = 0;
  std::int32_t personsNew = 0;
  std::int32_t personsCompleted = 0;
  std::int32_t personWritesRefused = 0;
  std::int32_t flaggedRows = 0;
  // Rows with 0 points by reason; under None those whose quotient itself
  // came to 0, which real times never give.
  std::array<std::int32_t, kZeroPointReasonCount> zeroPointRows{};
  std::vector<ClassReport> classes;
  std::vector<ResultReport> results;

  std::int32_t ZeroPointRowsTotal() const;
};

// Sets kSameIdOtherName on every result whose person ID appears in the file
// under more than one runner name, and counts the rows. Needs the whole
// file, so it runs after the last class.
void FinishReport(ImportReport& report);

}  // namespace pointimport::import

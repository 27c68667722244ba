#include "import/import_report.h"

#include <numeric>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pointimport::import {

std::int32_t ImportReport::ZeroPointRowsTotal() const {
  return std::accumulate(zeroPointRows.begin(), zeroPointRows.end(), 0);
}

void FinishReport(ImportReport& report) {
  // The first name seen under each ID, and whether another one followed.
  struct NamesOfId {
    const convert::Variant* first;
    bool several;
  };
  std::unordered_map<std::u16string_view, NamesOfId> names;
  names.reserve(report.results.size());
  // Each row's entry, so that the second pass looks nothing up again.
  std::vector<const NamesOfId*> namesOfRow;
  namesOfRow.reserve(report.results.size());
  for (const ResultReport& row : report.results) {
    const auto [entry, added] = names.try_emplace(row.personId, NamesOfId{&row.runnerName, false});
    if (!added && !(*entry->second.first == row.runnerName)) entry->second.several = true;
    namesOfRow.push_back(&entry->second);
  }

  for (std::size_t i = 0; i < report.results.size(); ++i) {
    ResultReport& row = report.results[i];
    if (namesOfRow[i]->several) row.flags |= kSameIdOtherName;
    if (row.flags != 0) ++report.flaggedRows;
    ++(row.written ? report.resultRowsWritten : report.resultRowsRefused);
    if (row.points == 0.0) ++report.zeroPointRows[static_cast<std::size_t>(row.reason)];
    switch (row.person) {
      case PersonState::New:
        ++report.personsNew;
        break;
      case PersonState::Completed:
        ++report.personsCompleted;
        break;
      case PersonState::Existing:
        break;
      case PersonState::Refused:
        ++report.personWritesRefused;
        break;
    }
  }
}

}  // namespace pointimport::import

#include "import/load_warnings.h"

#include "convert/number_text.h"

namespace pointimport::import {

std::vector<std::u16string> LoadWarnings(const LoadedEvent& loaded) {
  std::vector<std::u16string> warnings;
  if (loaded.rows.empty()) {
    warnings.emplace_back(u"結果が一つもありません。取り込むと、この大会の結果はなくなります。");
  }
  if (loaded.runnersWithoutName > 0) {
    warnings.push_back(u"名前のない選手が " + convert::FormatInteger(loaded.runnersWithoutName) +
                       u" 名います。一人の選手として取り込まれます。");
  }
  if (loaded.provisional) warnings.emplace_back(u"速報です。結果はまだ確定していません。");
  if (loaded.otherRaceResults > 0) {
    warnings.push_back(u"ほかのレースの結果 " + convert::FormatInteger(loaded.otherRaceResults) +
                       u" 件は取り込みません (第 1 レースのみ取り込みます)。");
  }
  if (loaded.eventDate.IsNull() || convert::ToText(loaded.eventDate).empty()) {
    warnings.emplace_back(u"大会の日付がありません。");
  }
  return warnings;
}

}  // namespace pointimport::import

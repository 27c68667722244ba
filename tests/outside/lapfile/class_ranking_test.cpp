#include "outside/lapfile/class_ranking.h"

#include <gtest/gtest.h>

#include "support/lap_rows.h"

namespace pointimport::outside::lapfile {
namespace {

PersonResult Entry(const char16_t* name, ResultStatus status, std::optional<std::int32_t> seconds,
                   std::optional<std::int32_t> position = std::nullopt) {
  return {name, u"", u"", status, seconds, position};
}

TEST(RankClassResult, PutsNotCompetingAfterFinishersAndEveryoneElseLast) {
  const LapClass ranked = RankClassResult({u"M21",
                                           {
                                               Entry(u"dq", ResultStatus::Disqualified, 900),
                                               Entry(u"nc", ResultStatus::NotCompeting, 800),
                                               Entry(u"okNoTime", ResultStatus::Ok, std::nullopt, 1),
                                               Entry(u"ok", ResultStatus::Ok, 1000, 2),
                                               Entry(u"ncNoTime", ResultStatus::NotCompeting, std::nullopt),
                                               Entry(u"dns", ResultStatus::DidNotStart, std::nullopt),
                                           }});
  // The finisher keeps its place 2: the OK runner without a time is no
  // finisher, so no place is missing.
  EXPECT_EQ(test_support::LapRows(ranked),
            (std::vector<std::string>{"ok|0:16:40|2", "nc|0:13:20|'OP'", "ncNoTime|OP|'OP'", "dq|失格|''",
                                      "okNoTime|記録なし|''", "dns|欠場|''"}));
}

}  // namespace
}  // namespace pointimport::outside::lapfile

#include "main/report_summary.h"

#include <gtest/gtest.h>

namespace pointimport::main {
namespace {

using import::ZeroPointReason;

TEST(ReportSummaryText, CountsTheRunsOutcomesAndMarksASnapshot) {
  import::ImportReport report;
  EXPECT_EQ(ReportSummaryText(report),
            u"置き換えた結果行: 0\n新規個人: 0\n補完した個人: 0\n0 ポイント: 0\n注意: 0");

  report.provisional = true;
  report.resultRowsReplaced = 120;
  report.personsNew = 3;
  report.personsCompleted = 2;
  report.zeroPointRows[static_cast<std::size_t>(ZeroPointReason::FewerThanThree)] = 2;
  report.zeroPointRows[static_cast<std::size_t>(ZeroPointReason::NoTime)] = 5;
  report.flaggedRows = 4;
  EXPECT_EQ(ReportSummaryText(report),
            u"速報 (Snapshot)\n置き換えた結果行: 120\n新規個人: 3\n補完した個人: 2\n"
            u"0 ポイント: 7 (クラス3名未満 2、タイムなし 5)\n注意: 4");
}

}  // namespace
}  // namespace pointimport::main

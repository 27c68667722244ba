#include "main/report_summary.h"

#include "convert/number_text.h"
#include "main/report_texts.h"

namespace pointimport::main {

using convert::FormatInteger;

std::u16string ReportSummaryText(const import::ImportReport& report) {
  std::u16string text;
  if (report.provisional) text += u"速報 (Snapshot)\n";
  text += u"置き換えた結果行: " + FormatInteger(report.resultRowsReplaced) + u"\n";
  text += u"新規個人: " + FormatInteger(report.personsNew) + u"\n";
  text += u"補完した個人: " + FormatInteger(report.personsCompleted) + u"\n";
  text += u"0 ポイント: " + FormatInteger(report.ZeroPointRowsTotal());
  std::u16string reasons;
  for (std::size_t r = 0; r < import::kZeroPointReasonCount; ++r) {
    if (report.zeroPointRows[r] == 0) continue;
    const auto reason = static_cast<import::ZeroPointReason>(r);
    // None counts a quotient that itself came to 0.
    const std::u16string_view name =
        reason == import::ZeroPointReason::None ? u"計算値0" : ZeroPointReasonText(reason);
    if (!reasons.empty()) reasons += u"、";
    reasons += std::u16string(name) + u" " + FormatInteger(report.zeroPointRows[r]);
  }
  if (!reasons.empty()) text += u" (" + reasons + u")";
  text += u"\n注意: " + FormatInteger(report.flaggedRows);
  return text;
}

}  // namespace pointimport::main

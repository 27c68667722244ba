#include "main/report_html.h"

#include <ostream>
#include <string>

#include "convert/number_text.h"
#include "convert/utf.h"
#include "main/control_character.h"
#include "main/report_summary.h"
#include "main/report_texts.h"

namespace pointimport::main {

using import::ClassReport;
using import::ImportReport;
using import::ResultReport;

namespace {

constexpr char kStyle[] =
    "body{font-family:sans-serif;margin:1.5em;color:#222}"
    "h1{font-size:1.4em}h2{font-size:1.2em;border-bottom:2px solid #888;margin-top:2em}h3{font-size:1em}"
    ".summary{white-space:pre-line;background:#f4f4f4;padding:.5em 1em}"
    "table{border-collapse:collapse;margin-bottom:1em}"
    // Names and times read best unbroken; only the database's causes wrap.
    "th,td{border:1px solid #bbb;padding:2px 6px;text-align:left;white-space:pre}"
    "td.cause{white-space:pre-wrap;min-width:14em}"
    "th{background:#e8e8e8}td.number{text-align:right}"
    "tr.reference td:first-child{font-weight:bold}"
    "tr.zero td.points{color:#b00}"
    "tr.new td.person{background:#dfd}"
    "tr.flagged td.flags{background:#ffd}"
    "tr.failed{background:#fdd}"
    ".legend span{margin-right:1em}";

// Text for an element or an attribute. XML allows no C0 control but tab,
// line feed and carriage return, not even as a reference, and a page maps a
// reference to a C1 control onto another character; so every control but tab
// and line feed is shown as "\xHH", as the command line shows it. The
// noncharacters U+FFFE and U+FFFF, which XML does not allow either, read as
// U+FFFD, as an unpaired surrogate does.
std::string Escape(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (char16_t c : text) {
    switch (c) {
      case u'&':
        out += u"&amp;";
        break;
      case u'<':
        out += u"&lt;";
        break;
      case u'>':
        out += u"&gt;";
        break;
      case u'"':
        out += u"&quot;";
        break;
      case u'\'':
        out += u"&#39;";
        break;
      case 0xFFFE:
      case 0xFFFF:
        out += u'\uFFFD';
        break;
      default:
        if (IsControlCharacter(c) && c != u'\t' && c != u'\n') {
          AppendShownControl(out, c);
        } else {
          out += c;
        }
    }
  }
  return convert::Utf16ToUtf8(out);
}

std::string Number(std::int64_t value) { return convert::Utf16ToUtf8(convert::FormatInteger(value)); }

void Cell(std::ostream& out, std::u16string_view text, const char* cssClass = nullptr) {
  out << "<td";
  if (cssClass) out << " class=\"" << cssClass << "\"";
  out << ">" << Escape(text) << "</td>";
}

std::string RowClasses(const ResultReport& row, bool reference) {
  std::string classes;
  const auto add = [&classes](const char* name) {
    if (!classes.empty()) classes += ' ';
    classes += name;
  };
  if (reference) add("reference");
  if (row.points == 0.0) add("zero");
  if (row.person == import::PersonState::New) add("new");
  if (row.flags != 0) add("flagged");
  if (!row.written || row.person == import::PersonState::Refused) add("failed");
  return classes;
}

void WriteReferenceLine(const ImportReport& report, const ClassReport& classReport, std::ostream& out) {
  out << "<p>";
  if (classReport.referenceValid) {
    out << "基準タイム: " << Escape(ValueText(convert::Variant::Date(classReport.referenceTime)));
  } else {
    out << "基準タイムなし (" << Escape(ZeroPointReasonText(classReport.whyNoReference)) << ")";
  }
  if (classReport.resultCount >= 3) {
    out << " — 上位3名: ";
    for (std::size_t k = 0; k < 3; ++k) {
      const ResultReport& row = report.results[classReport.firstResult + k];
      out << (k > 0 ? "、" : "") << Escape(ValueText(row.runnerName)) << " "
          << Escape(ValueText(classReport.referenceTimes[k]));
    }
  }
  out << "</p>\n";
}

void WriteClass(const ImportReport& report, const ClassReport& classReport, std::ostream& out) {
  out << "<h3>クラス " << Number(classReport.number) << ": " << Escape(ValueText(classReport.name)) << " ("
      << Number(classReport.resultCount) << " 名)</h3>\n";
  WriteReferenceLine(report, classReport, out);
  if (classReport.resultCount == 0) return;
  out << "<table><thead><tr><th>順位</th><th>氏名</th><th>所属</th><th>個人ID</th><th>個人</th><th>記録</th>"
         "<th>ポイント</th><th>理由</th><th>結果行</th><th>注意</th><th>原因</th></tr></thead><tbody>\n";
  for (std::int32_t j = 0; j < classReport.resultCount; ++j) {
    const ResultReport& row = report.results[classReport.firstResult + static_cast<std::size_t>(j)];
    const std::string classes = RowClasses(row, classReport.resultCount >= 3 && j < 3);
    out << "<tr" << (classes.empty() ? "" : " class=\"" + classes + "\"") << ">";
    Cell(out, ValueText(row.rank));
    Cell(out, ValueText(row.runnerName));
    Cell(out, ValueText(row.clubName));
    Cell(out, row.personId);
    Cell(out, PersonStateText(row.person), "person");
    Cell(out, ValueText(row.result));
    Cell(out, PointsText(row.points), "number points");
    Cell(out, row.points == 0.0 ? ZeroPointReasonText(row.reason) : u"");
    Cell(out, ResultRowText(row.written));
    Cell(out, FlagsText(row.flags), "flags");
    Cell(out, CausesText(row.causes), "cause");
    out << "</tr>\n";
  }
  out << "</tbody></table>\n";
}

}  // namespace

void WriteHtmlReport(const std::vector<ImportReport>& reports, std::ostream& out) {
  out << "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"ja\">\n<head>\n"
         "<meta charset=\"utf-8\"/>\n<title>取込レポート</title>\n<style>"
      << kStyle << "</style>\n</head>\n<body>\n<h1>取込レポート</h1>\n"
      << "<p class=\"legend\"><span>太字の順位: 基準タイムの上位3名</span><span>緑: 新規個人</span>"
         "<span>黄: 注意</span><span>赤: 0 ポイント・書き込めなかった行</span></p>\n";
  for (const auto& report : reports) {
    out << "<h2>" << Escape(report.keyword) << ": " << Escape(ValueText(report.description))
        << (report.dryRun ? " (試行)" : "") << "</h2>\n";
    out << "<p class=\"summary\">" << Escape(ReportSummaryText(report)) << "</p>\n";
    for (const auto& classReport : report.classes) WriteClass(report, classReport, out);
  }
  out << "</body>\n</html>\n";
}

}  // namespace pointimport::main

#include "main/report_csv.h"

#include <ostream>
#include <string>

#include "convert/number_text.h"
#include "convert/utf.h"
#include "main/report_texts.h"

namespace pointimport::main {

namespace {

constexpr char kHeader[] =
    "イベント,クラス番号,クラス,順位,氏名,所属,個人ID,個人,記録,ポイント,理由,結果行,注意,原因";

// A field quoted when it holds a comma, a quote or a line break.
void WriteField(std::ostream& out, std::u16string_view value) {
  const std::string text = convert::Utf16ToUtf8(value);
  if (text.find_first_of(",\"\r\n") == std::string::npos) {
    out << text;
    return;
  }
  out << '"';
  for (char c : text) {
    if (c == '"') out << '"';
    out << c;
  }
  out << '"';
}

// Text from a lap file or the database, which a spreadsheet must not take
// for a formula: a leading "=", "+", "-" or "@" starts one, and a spreadsheet
// drops a leading tab or carriage return and reads on. A leading apostrophe
// makes the cell text and is not shown; the rest stays exactly as read.
std::u16string OutsideText(std::u16string text) {
  if (!text.empty() && std::u16string_view(u"=+-@\t\r").find(text.front()) != std::u16string_view::npos) {
    text.insert(text.begin(), u'\'');
  }
  return text;
}

// Numbers and times are written by this tool and stand as they are: a
// negative number is no formula.
std::u16string OutsideValue(const convert::Variant& value) {
  return value.IsString() ? OutsideText(ValueText(value)) : ValueText(value);
}

}  // namespace

void WriteCsvReport(const std::vector<import::ImportReport>& reports, std::ostream& out) {
  out << "\xEF\xBB\xBF" << kHeader << "\r\n";
  for (const auto& report : reports) {
    for (const auto& row : report.results) {
      const std::u16string fields[] = {
          OutsideText(report.keyword),
          convert::FormatInteger(row.classNumber),
          OutsideValue(row.className),
          OutsideValue(row.rank),
          OutsideValue(row.runnerName),
          OutsideValue(row.clubName),
          OutsideText(row.personId),
          std::u16string(PersonStateText(row.person)),
          OutsideValue(row.result),
          PointsText(row.points),
          std::u16string(row.points == 0.0 ? ZeroPointReasonText(row.reason) : u""),
          std::u16string(ResultRowText(row.written)),
          FlagsText(row.flags),
          OutsideText(CausesText(row.causes)),
      };
      for (std::size_t i = 0; i < std::size(fields); ++i) {
        if (i > 0) out << ',';
        WriteField(out, fields[i]);
      }
      out << "\r\n";
    }
  }
}

}  // namespace pointimport::main

#include "convert/sql_value.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

#include "convert/date_number.h"
#include "convert/number_text.h"
#include "convert/runtime_error.h"
#include "convert/utf.h"
#include "convert/utf16_lanes.h"

namespace pointimport::convert {

namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// A code unit that a literal cannot hold as it stands: U+0000, an apostrophe
// or a surrogate.
bool NeedsCare(char16_t c) { return c == u'\0' || c == u'\'' || (c & 0xF800) == 0xD800; }

// NeedsCare for four code units at once, each test made one of "some lane is
// 0". Lanes above the lowest flagged one may be flagged wrongly, which only
// sends the text the long way.
bool AnyNeedsCare(std::uint64_t chunk) {
  return ZeroLaneTops(chunk) != 0 || ZeroLaneTops(chunk ^ EveryLane(u'\'')) != 0 ||
         ZeroLaneTops((chunk & EveryLane(0xF800)) ^ EveryLane(0xD800)) != 0;
}

// The length of the text's start in which no code unit needs care.
std::size_t PlainLength(std::u16string_view text) {
  std::size_t i = 0;
  for (; i + 4 <= text.size(); i += 4) {
    if (AnyNeedsCare(FourUnits(text.data() + i))) break;
  }
  while (i < text.size() && !NeedsCare(text[i])) ++i;
  return i;
}

// The quoted literal of a text without U+0000, appended to out. Runs of code
// units that need nothing done go in whole.
void AppendQuotedRun(std::u16string_view text, std::u16string& out) {
  out.push_back(u'\'');
  std::size_t runStart = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c != u'\'' && !IsHighSurrogate(c) && !IsLowSurrogate(c)) continue;
    out.append(text.substr(runStart, i - runStart));
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      out.push_back(c);
      out.push_back(text[++i]);
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      // SQLite would take the next code unit into the character, an
      // apostrophe included, and so end the literal early.
      out.push_back(u'\uFFFD');
    } else {
      // Doubled, so that no value can end its literal early.
      out.append(u"''");
    }
    runStart = i + 1;
  }
  out.append(text.substr(runStart));
  out.push_back(u'\'');
}

std::u16string QuotedRun(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size() + 2);
  AppendQuotedRun(text, out);
  return out;
}

// Joins operands[first, last) with || as a balanced tree: SQLite refuses an
// expression nested more than 1000 deep, and a chain nests one per operator.
void AppendJoined(const std::vector<std::u16string>& operands, std::size_t first, std::size_t last,
                  std::u16string& out) {
  if (last - first == 1) {
    out += operands[first];
    return;
  }
  const std::size_t middle = first + (last - first) / 2;
  out += u'(';
  AppendJoined(operands, first, middle, out);
  out += u"||";
  AppendJoined(operands, middle, last, out);
  out += u')';
}

// SQLite reads a statement only up to U+0000, so each one is joined in as
// char(0). The literal still starts and ends with a quoted run, which
// LiteralInside relies on, and || binds tighter than any other binary
// operator, so the whole stays one operand.
void AppendQuotedTextWithNuls(std::u16string_view text, std::u16string& out) {
  std::vector<std::u16string> operands;
  std::size_t start = 0;
  for (std::size_t nul; (nul = text.find(u'\0', start)) != std::u16string_view::npos; start = nul + 1) {
    operands.push_back(QuotedRun(text.substr(start, nul - start)));
    operands.emplace_back(u"char(0)");
  }
  operands.push_back(QuotedRun(text.substr(start)));
  out += operands.front();
  out += u"||";
  AppendJoined(operands, 1, operands.size() - 1, out);
  out += u"||";
  out += operands.back();
}

// Always the full date and a two-digit hour, whatever the value, so that
// stored dates sort and compare as text.
void AppendQuotedDate(double dateNumber, std::u16string& out) {
  const DateParts p = SplitDateNumber(dateNumber);
  char buffer[32];
  const int length = std::snprintf(buffer, sizeof buffer, "'%04d/%02d/%02d %02d:%02d:%02d'", p.year, p.month,
                                   p.day, p.hour, p.minute, p.second);
  AppendUtf16(out, std::string_view(buffer, static_cast<std::size_t>(length)));
}

// From here up, 15 significant digits round past the largest double, and
// SQLite would read the literal as an infinity.
constexpr double kFirstUnwritableMagnitude = 0x1.ffffffffffffcp+1023;

void AppendNumberText(const Variant& value, std::u16string& out) {
  switch (value.Kind()) {
    case VariantKind::Double:
      if (std::fabs(value.AsDouble()) >= kFirstUnwritableMagnitude) {
        throw RuntimeError(error_number::kOverflow, u"オーバーフローしました。");
      }
      AppendDouble(value.AsDouble(), out);
      return;
    case VariantKind::Integer:
      AppendInteger(value.AsInteger(), out);
      return;
    case VariantKind::Long:
      AppendInteger(value.AsLong(), out);
      return;
    default:
      out += ToText(value);
  }
}

}  // namespace

void AppendQuotedText(std::u16string_view text, std::u16string& out) {
  const std::size_t plain = PlainLength(text);
  if (plain == text.size()) {
    // The usual text, taken whole.
    out += u'\'';
    out += text;
    out += u'\'';
  } else if (text.find(u'\0', plain) == std::u16string_view::npos) {
    AppendQuotedRun(text, out);
  } else {
    AppendQuotedTextWithNuls(text, out);
  }
}

void AppendSqlValue(const Variant& value, std::u16string& out) {
  switch (value.Kind()) {
    case VariantKind::Null:
      out += u"''";  // never the SQL word NULL
      return;
    case VariantKind::Date:
      AppendQuotedDate(value.AsDate(), out);
      return;
    case VariantKind::String:
      AppendQuotedText(value.AsString(), out);
      return;
    case VariantKind::Boolean:
      out += value.AsBoolean() ? u'1' : u'0';
      return;
    default:
      // Empty, the integers and Double: their plain text, which for a Double
      // is 15 significant digits and raises overflow for NaN, the infinities
      // and what those digits would carry past the largest double.
      AppendNumberText(value, out);
  }
}

std::u16string FormatSqlValue(const Variant& value) {
  std::u16string out;
  AppendSqlValue(value, out);
  return out;
}

Variant NullToDefault(const Variant& value, const Variant& defaultValue) {
  return value.IsNull() ? defaultValue : value;
}

}  // namespace pointimport::convert

#include "convert/value_tests.h"

#include <charconv>
#include <string>

#include "convert/runtime_error.h"
#include "convert/time_value.h"

namespace pointimport::convert {

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// The number of digits from pos on, pos moved past them.
std::size_t SkipDigits(std::u16string_view text, std::size_t& pos) {
  const std::size_t start = pos;
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  return pos - start;
}

// Accepted, with any run of blanks (ASCII space or tab) before and after: an
// optional sign "+" or "-", then digits with an optional decimal point "."
// and fraction (either side of the point may be empty, not both), then an
// optional exponent "e" or "E" with an optional sign and at least one digit.
// ASCII only, and the value must fit a double.
//
// A number in parentheses ("(5)", the accounting form of -5) is a number
// too: a place written so marks a runner outside the ranking, and the points
// look for its "(" next, so that the report can say why such a runner got 0.
//
// Refused: grouping commas ("1,234"), currency signs, hexadecimal, full-width
// digits, a blank between the sign and the digits. No lap file writes a
// place with grouping.
bool IsNumberText(std::u16string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  std::u16string_view core = text.substr(begin, end - begin);
  // Inside the parentheses a plain unsigned number, nothing else.
  const bool parenthesised = core.size() > 2 && core.front() == u'(' && core.back() == u')';
  if (parenthesised) {
    core = core.substr(1, core.size() - 2);
    if (core.front() == u'+' || core.front() == u'-' || IsBlank(core.front()) || IsBlank(core.back()))
      return false;
  }

  std::size_t pos = 0;
  if (pos < core.size() && (core[pos] == u'+' || core[pos] == u'-')) ++pos;
  std::size_t digits = SkipDigits(core, pos);
  if (pos < core.size() && core[pos] == u'.') {
    ++pos;
    digits += SkipDigits(core, pos);
  }
  if (digits == 0) return false;
  if (pos < core.size() && (core[pos] == u'e' || core[pos] == u'E')) {
    ++pos;
    if (pos < core.size() && (core[pos] == u'+' || core[pos] == u'-')) ++pos;
    if (SkipDigits(core, pos) == 0) return false;
  }
  if (pos != core.size()) return false;

  // Every code unit is ASCII now; from_chars takes no "+" sign.
  std::string ascii(core.begin() + (core.front() == u'+' ? 1 : 0), core.end());
  double value = 0.0;
  const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
  return result.ec == std::errc{};
}

}  // namespace

bool IsDateValue(const Variant& value) {
  if (value.Kind() == VariantKind::Date) return true;
  return value.IsString() && RecogniseDateTime(value.AsString()).has_value();
}

double ToDateNumber(const Variant& value) {
  if (value.Kind() == VariantKind::Date) return value.AsDate();
  if (value.IsString()) {
    if (const auto number = RecogniseDateTime(value.AsString())) return *number;
  }
  throw RuntimeError(error_number::kTypeMismatch, u"型が一致しません。");
}

// Integer, Long, Double and Boolean are numbers; a Date is not, since the
// date test is there for it.
bool IsNumericValue(const Variant& value) {
  switch (value.Kind()) {
    case VariantKind::Empty:
    case VariantKind::Integer:
    case VariantKind::Long:
    case VariantKind::Double:
    case VariantKind::Boolean:
      return true;
    case VariantKind::String:
      return IsNumberText(value.AsString());
    default:
      return false;
  }
}

}  // namespace pointimport::convert

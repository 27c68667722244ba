#include "convert/sql_value.h"

#include <cstdio>

#include "convert/date_number.h"

namespace pointimport::convert {

namespace {

std::u16string QuotedText(const std::u16string& text) {
  std::u16string out;
  out.reserve(text.size() + 2);
  out.push_back(u'\'');
  for (char16_t c : text) {
    // Doubled, so that no value can end its literal early.
    if (c == u'\'') out.push_back(u'\'');
    out.push_back(c);
  }
  out.push_back(u'\'');
  return out;
}

// Always the full date and a two-digit hour, whatever the value, so that
// stored dates sort and compare as text.
std::u16string QuotedDate(double dateNumber) {
  const DateParts p = SplitDateNumber(dateNumber);
  char buffer[32];
  const int length = std::snprintf(buffer, sizeof buffer, "'%04d/%02d/%02d %02d:%02d:%02d'", p.year,
                                   p.month, p.day, p.hour, p.minute, p.second);
  return std::u16string(buffer, buffer + length);
}

}  // namespace

std::u16string FormatSqlValue(const Variant& value) {
  switch (value.Kind()) {
    case VariantKind::Null: return u"''";  // never the SQL word NULL
    case VariantKind::Date: return QuotedDate(value.AsDate());
    case VariantKind::String: return QuotedText(value.AsString());
    case VariantKind::Boolean: return value.AsBoolean() ? u"1" : u"0";
    default:
      // Empty, the integers and Double: their plain text, which for a Double
      // is 15 significant digits and raises overflow for NaN and infinities.
      return ToText(value);
  }
}

Variant NullToDefault(const Variant& value, const Variant& defaultValue) {
  return value.IsNull() ? defaultValue : value;
}

}  // namespace pointimport::convert

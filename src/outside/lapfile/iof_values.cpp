#include "outside/lapfile/iof_values.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>
#include <vector>

#include "convert/date_number.h"
#include "convert/utf.h"
#include "outside/lapfile/xml/xml_space.h"

namespace pointimport::outside::lapfile {

namespace {

constexpr std::int64_t kLargestValue = std::numeric_limits<std::int32_t>::max();

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

// A run of ASCII digits, read without overflow: nothing for an empty run, a
// non-digit or a value beyond a 32-bit integer.
std::optional<std::int64_t> ReadDigits(std::string_view digits) {
  std::int64_t value = 0;
  if (!AllDigits(digits)) return std::nullopt;
  for (const char c : digits) {
    value = value * 10 + (c - '0');
    if (value > kLargestValue) return std::nullopt;
  }
  return value;
}

}  // namespace

ResultStatus ParseIofStatus(std::string_view token) {
  static const std::pair<std::string_view, ResultStatus> kTokens[] = {
      {"OK", ResultStatus::Ok},
      {"NotCompeting", ResultStatus::NotCompeting},
      {"MissingPunch", ResultStatus::Disqualified},  // 3.0
      {"MisPunch", ResultStatus::Disqualified},      // 2.0.3
      {"Disqualified", ResultStatus::Disqualified},
      {"DidNotFinish", ResultStatus::DidNotFinish},
      {"SportingWithdrawal", ResultStatus::DidNotFinish},  // 3.0
      {"SportWithdr", ResultStatus::DidNotFinish},         // 2.0.3
      {"OverTime", ResultStatus::OverTime},
      {"DidNotStart", ResultStatus::DidNotStart},
      {"DidNotEnter", ResultStatus::DidNotStart},  // 3.0
  };
  token = xml::TrimXmlSpace(token);
  for (const auto& [name, status] : kTokens) {
    if (token == name) return status;
  }
  return ResultStatus::NoResult;
}

std::optional<std::int32_t> ParseIof3Seconds(std::string_view text) {
  text = xml::TrimXmlSpace(text);
  // Whole seconds, as nearly every file writes them, read as digits: the
  // same value as a double read and floored, and beyond 32 bits as well.
  if (AllDigits(text)) {
    const auto whole = ReadDigits(text);
    if (!whole) return std::nullopt;
    return static_cast<std::int32_t>(*whole);
  }
  double seconds = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  // xsd:double also admits INF and NaN, which are no running time.
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(seconds) ||
      seconds < 0 || seconds >= static_cast<double>(kLargestValue) + 1) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(std::floor(seconds));
}

std::optional<std::int32_t> ParseIof2Time(std::string_view text) {
  text = xml::TrimXmlSpace(text);
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t colon = text.find(':', start);
    fields.push_back(text.substr(start, colon == std::string_view::npos ? colon : colon - start));
    if (colon == std::string_view::npos) break;
    start = colon + 1;
  }
  if (fields.size() != 2 && fields.size() != 3) return std::nullopt;

  // The fraction of a second is dropped, but it must still be digits.
  std::string_view& last = fields.back();
  if (const std::size_t point = last.find('.'); point != std::string_view::npos) {
    if (!AllDigits(last.substr(point + 1))) return std::nullopt;
    last = last.substr(0, point);
  }

  std::int64_t values[3] = {0, 0, 0};
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const auto value = ReadDigits(fields[i]);
    if (!value) return std::nullopt;
    values[i] = *value;
  }
  std::int64_t total = 0;
  if (fields.size() == 3) {
    if (values[1] > 59 || values[2] > 59) return std::nullopt;
    total = values[0] * 3600 + values[1] * 60 + values[2];
  } else {
    if (values[1] > 59) return std::nullopt;  // the minutes alone may exceed 59
    total = values[0] * 60 + values[1];
  }
  if (total > kLargestValue) return std::nullopt;
  return static_cast<std::int32_t>(total);
}

std::optional<std::int32_t> ParsePlace(std::string_view text) {
  text = xml::TrimXmlSpace(text);
  if (text.ends_with('=')) text.remove_suffix(1);
  const auto value = ReadDigits(text);
  if (!value || *value < 1) return std::nullopt;
  return static_cast<std::int32_t>(*value);
}

std::optional<CalendarDate> ParseIofDate(std::string_view text) {
  text = xml::TrimXmlSpace(text);
  if (text.size() < 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  // After the date, xsd:date allows a time zone (Z, +hh:mm, -hh:mm); some
  // software writes a whole dateTime.
  if (text.size() > 10 && std::string_view("Z+-T ").find(text[10]) == std::string_view::npos) {
    return std::nullopt;
  }
  const auto year = ReadDigits(text.substr(0, 4));
  const auto month = ReadDigits(text.substr(5, 2));
  const auto day = ReadDigits(text.substr(8, 2));
  if (!year || !month || !day) return std::nullopt;
  const CalendarDate date{static_cast<int>(*year), static_cast<int>(*month), static_cast<int>(*day)};
  if (!convert::IsValidCalendarDate(date.year, date.month, date.day)) return std::nullopt;
  return date;
}

std::u16string FormatRaceTime(std::int32_t seconds) {
  // Written digit by digit, as "%d:%02d:%02d" would: a class of thousands
  // formats a time for each runner.
  if (seconds < 0) {
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return convert::Utf8ToUtf16(text);
  }
  char16_t text[16];
  char16_t* const end = text + sizeof text / sizeof text[0];
  char16_t* first = end;
  const auto twoDigits = [&first](std::int32_t value) {
    *--first = static_cast<char16_t>(u'0' + value % 10);
    *--first = static_cast<char16_t>(u'0' + value / 10);
  };
  twoDigits(seconds % 60);
  *--first = u':';
  twoDigits(seconds / 60 % 60);
  *--first = u':';
  std::int32_t hours = seconds / 3600;
  do {
    *--first = static_cast<char16_t>(u'0' + hours % 10);
    hours /= 10;
  } while (hours != 0);
  return std::u16string(first, end);
}

}  // namespace pointimport::outside::lapfile

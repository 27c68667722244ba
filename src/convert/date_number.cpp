#include "convert/date_number.h"

#include <cmath>
#include <cstdio>

#include "convert/runtime_error.h"

namespace pointimport::convert {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's
// days_from_civil), and back.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (month <= 2));
}

const long long kEpochFromUnix = DaysFromCivil(1899, 12, 30);

[[noreturn]] void ThrowOutOfRange() { throw RuntimeError(error_number::kOverflow, u"日付が範囲外です。"); }

std::u16string Ascii(const char* text) {
  std::u16string out;
  for (; *text; ++text) out.push_back(static_cast<char16_t>(*text));
  return out;
}

}  // namespace

bool IsValidCalendarDate(int year, int month, int day) {
  if (year < kMinYear || year > kMaxYear || month < 1 || month > 12 || day < 1) return false;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  const int length = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
  return day <= length;
}

double DayNumber(int year, int month, int day) {
  return static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
                             kEpochFromUnix);
}

double CombineDateAndTime(double dayNumber, double timeOfDay) {
  return dayNumber < 0 ? dayNumber - timeOfDay : dayNumber + timeOfDay;
}

bool IsInDateRange(double dateNumber) {
  return dateNumber > DayNumber(kMinYear, 1, 1) - 1.0 && dateNumber < DayNumber(kMaxYear, 12, 31) + 1.0;
}

DateParts SplitDateNumber(double dateNumber) {
  if (!IsInDateRange(dateNumber)) ThrowOutOfRange();
  const double whole = std::trunc(dateNumber);
  long long dayIndex = static_cast<long long>(whole);
  long long seconds = std::llround(std::fabs(dateNumber - whole) * 86400.0);
  if (seconds >= 86400) {
    seconds -= 86400;
    ++dayIndex;
  }
  DateParts parts;
  CivilFromDays(dayIndex + kEpochFromUnix, parts.year, parts.month, parts.day);
  if (parts.year > kMaxYear) ThrowOutOfRange();
  parts.hour = static_cast<int>(seconds / 3600);
  parts.minute = static_cast<int>(seconds / 60 % 60);
  parts.second = static_cast<int>(seconds % 60);
  return parts;
}

std::u16string FormatDateText(double dateNumber) {
  const DateParts p = SplitDateNumber(dateNumber);
  char buffer[32];
  const bool onEpochDay = p.year == 1899 && p.month == 12 && p.day == 30;
  if (dateNumber >= 0 && onEpochDay) {
    std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d", p.hour, p.minute, p.second);
  } else if (p.hour == 0 && p.minute == 0 && p.second == 0) {
    std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d", p.year, p.month, p.day);
  } else {
    std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d %d:%02d:%02d", p.year, p.month, p.day, p.hour,
                  p.minute, p.second);
  }
  return Ascii(buffer);
}

}  // namespace pointimport::convert

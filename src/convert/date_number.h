#pragma once

#include <string>

namespace pointimport::convert {

// A date and time split into its fields, rounded to the nearest second.
struct DateParts {
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Dates run from 100-01-01 to 9999-12-31, as the date type always has.
inline constexpr int kMinYear = 100;
inline constexpr int kMaxYear = 9999;

// True when the calendar date exists (month 1..12, day within the month,
// year within kMinYear..kMaxYear).
bool IsValidCalendarDate(int year, int month, int day);

// True when a date number lies within the date range. Before 1899-12-30
// the time counts away from zero, so the first day runs down to just above
// DayNumber(kMinYear, 1, 1) - 1.
bool IsInDateRange(double dateNumber);

// Days since 1899-12-30 of a valid calendar date.
double DayNumber(int year, int month, int day);

// A date number from a day number and a time of day (a fraction below 1).
// Before 1899-12-30 the day number is negative and the time counts away from
// zero, so 1899-12-29 06:00 is -1.25.
double CombineDateAndTime(double dayNumber, double timeOfDay);

// Splits a date number, rounding to the nearest second; a time that rounds
// to 24:00:00 carries into the next day. Raises an overflow error outside
// the date range or for NaN and the infinities.
DateParts SplitDateNumber(double dateNumber);

// "H:MM:SS" when 0 <= value < 1 rounds to a time on 1899-12-30, else
// "yyyy/mm/dd" when the time part is 0, else "yyyy/mm/dd H:MM:SS".
std::u16string FormatDateText(double dateNumber);

}  // namespace pointimport::convert

#include "convert/time_value.h"

#include <algorithm>

#include "convert/char_width.h"
#include "convert/date_number.h"

namespace pointimport::convert {

namespace {

// Reads the shapes listed beside RecogniseDateTime, left to right.
class DateTimeReader {
 public:
  explicit DateTimeReader(std::u16string_view text) : text_(text) {}

  std::optional<double> Read() {
    SkipBlanks();
    std::optional<double> value;
    if (LooksLikeDate()) {
      value = ReadDate();
      if (value && SkipBlanks() && !AtEnd()) {
        const auto time = ReadTime();
        value = time ? std::optional(CombineDateAndTime(*value, *time)) : std::nullopt;
      }
    } else {
      value = ReadTime();
    }
    SkipBlanks();
    if (!value || !AtEnd()) return std::nullopt;
    return value;
  }

 private:
  bool AtEnd() const { return pos_ == text_.size(); }

  static bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
  static bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

  // True when at least one blank was skipped.
  bool SkipBlanks() {
    const std::size_t start = pos_;
    while (!AtEnd() && IsBlank(text_[pos_])) ++pos_;
    return pos_ != start;
  }

  bool Take(char16_t c) {
    if (AtEnd() || text_[pos_] != c) return false;
    ++pos_;
    return true;
  }

  // A number of minDigits to maxDigits digits; -1 when there is none.
  int ReadNumber(std::size_t minDigits, std::size_t maxDigits) {
    int value = 0;
    std::size_t count = 0;
    while (!AtEnd() && count < maxDigits && IsDigit(text_[pos_])) {
      value = value * 10 + (text_[pos_] - u'0');
      ++pos_;
      ++count;
    }
    if (count < minDigits || (!AtEnd() && IsDigit(text_[pos_]))) return -1;
    return value;
  }

  // A date starts with four digits and a date separator; a time never does.
  bool LooksLikeDate() const {
    if (text_.size() - pos_ < 5) return false;
    for (std::size_t i = 0; i < 4; ++i) {
      if (!IsDigit(text_[pos_ + i])) return false;
    }
    return text_[pos_ + 4] == u'/' || text_[pos_ + 4] == u'-';
  }

  std::optional<double> ReadDate() {
    const int year = ReadNumber(4, 4);
    const char16_t separator = text_[pos_++];
    const int month = ReadNumber(1, 2);
    if (month < 0 || !Take(separator)) return std::nullopt;
    const int day = ReadNumber(1, 2);
    if (day < 0 || !IsValidCalendarDate(year, month, day)) return std::nullopt;
    return DayNumber(year, month, day);
  }

  std::optional<double> ReadTime() {
    const int hours = ReadNumber(1, 2);
    if (hours < 0 || hours > 23 || !Take(u':')) return std::nullopt;
    const int minutes = ReadNumber(2, 2);
    if (minutes < 0 || minutes > 59) return std::nullopt;
    int seconds = 0;
    if (Take(u':')) {
      seconds = ReadNumber(2, 2);
      if (seconds < 0 || seconds > 59) return std::nullopt;
    }
    return hours / 24.0 + minutes / 1440.0 + seconds / 86400.0;
  }

  std::u16string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

// Accepted, with any run of blanks (ASCII space or tab) before and after:
//
//   H:MM  H:MM:SS                 a time of day: hours 0-23 in one or two
//                                 digits, minutes and seconds 00-59 in two
//   yyyy/m/d  yyyy-m-d            a date: four-digit year 0100-9999, month
//                                 and day in one or two digits, an existing
//                                 calendar date, one separator throughout
//   either date, blanks, a time   a date with its time of day
//
// A time alone is hours / 24 + minutes / 1440 + seconds / 86400; a date with
// a time is that added to the day number (away from zero before 1899-12-30).
// This reads back every text that the text form of a Date writes.
//
// Deliberately refused, because a result text shaped so is more likely a
// status or a lap count than a clock time, or because its value would be a
// guess: hours of 24 and more ("27:52", "102:30"), minutes or seconds out of
// range or in one digit, fractions of seconds, AM/PM and 午前/午後, the
// Japanese 年月日 and 時分秒 markers, dates without a year (the year would
// be today's), two-digit years, and words ("失格", "OP").
std::optional<double> RecogniseDateTime(std::u16string_view text) { return DateTimeReader(text).Read(); }

double ParseTimeValue(std::u16string_view text, double defaultValue) {
  // Folding without a change of case leaves every code unit below the
  // ideographic space as it is, which is the whole of the usual time.
  if (std::all_of(text.begin(), text.end(), [](char16_t c) { return c < u'\u3000'; })) {
    return RecogniseDateTime(text).value_or(defaultValue);
  }
  const std::u16string folded = FoldCharWidth(text, true, true, true, true, false, false);
  return RecogniseDateTime(folded).value_or(defaultValue);
}

}  // namespace pointimport::convert

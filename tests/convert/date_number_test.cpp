#include "convert/date_number.h"

#include <gtest/gtest.h>

#include "convert/runtime_error.h"

namespace pointimport::convert {
namespace {

TEST(DateNumber, CountsDaysFromTheEpoch) {
  EXPECT_EQ(DayNumber(1899, 12, 30), 0.0);
  EXPECT_EQ(DayNumber(1900, 1, 1), 2.0);
  EXPECT_EQ(DayNumber(2005, 4, 10), 38452.0);
  EXPECT_EQ(DayNumber(100, 1, 1), -657434.0);
  EXPECT_EQ(DayNumber(9999, 12, 31), 2958465.0);
}

TEST(DateNumber, ChecksCalendarDates) {
  EXPECT_TRUE(IsValidCalendarDate(2024, 2, 29));
  EXPECT_FALSE(IsValidCalendarDate(2023, 2, 29));
  EXPECT_FALSE(IsValidCalendarDate(1900, 2, 29));
  EXPECT_TRUE(IsValidCalendarDate(2000, 2, 29));
  EXPECT_FALSE(IsValidCalendarDate(2024, 4, 31));
  EXPECT_FALSE(IsValidCalendarDate(99, 1, 1));
  EXPECT_FALSE(IsValidCalendarDate(10000, 1, 1));
  EXPECT_FALSE(IsValidCalendarDate(2024, 13, 1));
}

TEST(FormatDateText, WritesTimeAloneDateAloneOrBoth) {
  const struct {
    double value;
    const char16_t* text;
  } cases[] = {
      {0.0, u"0:00:00"},
      {0.5, u"12:00:00"},
      {67.0 / 1152.0, u"1:23:45"},
      {38452.0, u"2005/04/10"},
      {38452.0 + 13.0 / 24 + 5.0 / 1440 + 7.0 / 86400, u"2005/04/10 13:05:07"},
      {-1.25, u"1899/12/29 6:00:00"},
      {1.0, u"1899/12/31"},
      // 23:59:59.6 rounds to midnight of the next day.
      {(86399.6) / 86400.0, u"1899/12/31"},
      {38452.0 + 86399.6 / 86400.0, u"2005/04/11"},
      {38452.0 + 0.4 / 86400.0, u"2005/04/10"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDateText(c.value), c.text) << c.value;
}

TEST(FormatDateText, RefusesDatesOutsideTheRange) {
  EXPECT_EQ(FormatDateText(DayNumber(100, 1, 1) - 0.5), u"0100/01/01 12:00:00");
  for (double value :
       {DayNumber(100, 1, 1) - 1, DayNumber(9999, 12, 31) + 1.0, DayNumber(9999, 12, 31) + 86399.9 / 86400.0}) {
    EXPECT_THROW(FormatDateText(value), RuntimeError) << value;
  }
  EXPECT_EQ(FormatDateText(DayNumber(9999, 12, 31) + 0.5), u"9999/12/31 12:00:00");
}

}  // namespace
}  // namespace pointimport::convert

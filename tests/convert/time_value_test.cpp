#include "convert/time_value.h"

#include <gtest/gtest.h>

#include "convert/date_number.h"
#include "convert/utf.h"

namespace pointimport::convert {
namespace {

double Time(int hour, int minute, int second) { return hour / 24.0 + minute / 1440.0 + second / 86400.0; }

TEST(RecogniseDateTime, ReadsTimesDatesAndBoth) {
  const double april10 = DayNumber(2005, 4, 10);
  const struct {
    const char16_t* text;
    double value;
  } cases[] = {
      {u"1:23:45", Time(1, 23, 45)},
      {u"01:23:45", Time(1, 23, 45)},
      {u"1:23", Time(1, 23, 0)},
      {u"0:00:00", 0.0},
      {u"0:00", 0.0},
      {u"23:59:59", Time(23, 59, 59)},
      {u"  1:23:45 \t", Time(1, 23, 45)},
      {u"2005/04/10", april10},
      {u"2005/4/9", DayNumber(2005, 4, 9)},
      {u"2005-04-10", april10},
      {u"0100/01/01", DayNumber(100, 1, 1)},
      {u"9999/12/31 23:59:59", DayNumber(9999, 12, 31) + Time(23, 59, 59)},
      {u"2024/02/29", DayNumber(2024, 2, 29)},
      {u"2005/04/10 13:05:07", april10 + Time(13, 5, 7)},
      {u"2005-04-10  13:05", april10 + Time(13, 5, 0)},
      {u" 1899/12/29 6:00:00 ", -1.25},
  };
  for (const auto& c : cases) {
    const auto value = RecogniseDateTime(c.text);
    ASSERT_TRUE(value.has_value()) << Utf16ToUtf8(c.text);
    EXPECT_EQ(*value, c.value) << Utf16ToUtf8(c.text);
  }
  EXPECT_NEAR(*RecogniseDateTime(u"1:23:45"), 67.0 / 1152.0, 1e-15);
  EXPECT_NEAR(*RecogniseDateTime(u"1:23"), 83.0 / 1440.0, 1e-15);
}

TEST(RecogniseDateTime, RefusesStatusTextsAndDoubtfulShapes) {
  for (const char16_t* text : {
           u"",
           u"   ",
           u"失格",
           u"OP",
           u"DNF",
           u"棄権",
           u"1",
           u"123",
           u"1:2",
           u"1:234",
           u"123:45",
           u"24:00",
           u"27:52",
           u"102:30",
           u"1:60",
           u"1:23:60",
           u"1:23:45.6",
           u"1:23:45:00",
           u"-1:23",
           u"+1:23",
           u"1 :23",
           u"1:23 x",
           u"x 1:23",
           u"1:23\n",
           u"１：２３",
           u"1時23分",
           u"1:23 PM",
           u"午後1:23",
           u"2005年4月10日",
           u"04/10",
           u"05/04/10",
           u"2005/04/10x",
           u"2005/04-10",
           u"2005/13/01",
           u"2023/02/29",
           u"2005/04/31",
           u"0099/12/31",
           u"2005/004/10",
           u"2005/04/10 24:00:00",
           u"2005/04/10 1:2",
           u"2005/04/10T13:05:07",
           u"13:05:07 2005/04/10",
           u"2005.04.10",
       }) {
    EXPECT_FALSE(RecogniseDateTime(text).has_value()) << Utf16ToUtf8(text);
  }
}

TEST(ParseTimeValue, FoldsWidthFirstAndFallsBackToTheDefault) {
  const double time = Time(1, 23, 45);
  EXPECT_EQ(ParseTimeValue(u"１：２３：４５", 0.0), time);
  EXPECT_EQ(ParseTimeValue(u"　1：23：45　", 0.0), time);
  EXPECT_EQ(ParseTimeValue(u"２００５／０４／１０", 0.0), DayNumber(2005, 4, 10));
  EXPECT_EQ(ParseTimeValue(u"0:00:00", -1.0), 0.0);
  for (const char16_t* text : {u"", u"失格", u"ＯＰ", u"２７：５２"}) {
    EXPECT_EQ(ParseTimeValue(text, 0.0), 0.0) << Utf16ToUtf8(text);
    EXPECT_EQ(ParseTimeValue(text, 0.25), 0.25) << Utf16ToUtf8(text);
  }
}

void ExpectReadsBack(double value) {
  const std::u16string text = FormatDateText(value);
  EXPECT_EQ(ParseTimeValue(text, -1.0), value) << Utf16ToUtf8(text);
}

TEST(ParseTimeValue, ReadsBackEveryTextADateIsWrittenAs) {
  for (int second = 0; second < 86400; ++second) {
    ExpectReadsBack(Time(second / 3600, second / 60 % 60, second % 60));
  }
  const double first = DayNumber(kMinYear, 1, 1);
  const double last = DayNumber(kMaxYear, 12, 31);
  ExpectReadsBack(first);
  int second = 0;
  for (double day = first + 1.0; day <= last; day += 97.0) {
    second = (second + 7919) % 86400;
    ExpectReadsBack(day);
    ExpectReadsBack(CombineDateAndTime(day, Time(second / 3600, second / 60 % 60, second % 60)));
  }
  ExpectReadsBack(last + Time(23, 59, 59));
  // Between -1 and 0 a date number means the same moment as its magnitude,
  // and its text reads back as that.
  EXPECT_EQ(ParseTimeValue(FormatDateText(-0.25), -1.0), 0.25);
}

}  // namespace
}  // namespace pointimport::convert

#include "outside/lapfile/iof_values.h"

#include <gtest/gtest.h>

namespace pointimport::outside::lapfile {
namespace {

using Seconds = std::optional<std::int32_t>;

TEST(ParseIof2Time, ReadsHoursMinutesAndSecondsWhateverTheFormatSays) {
  const struct {
    const char* text;
    Seconds seconds;
  } cases[] = {
      {"27:52.5", 27 * 60 + 52},  // the fraction is dropped, not rounded
      {"102:30", 102 * 60 + 30},  // minutes beyond 59
      {"1:23:03", 4983},           {" 0:59\n", 59},
      {"35791394:07", 2147483647}, {"35791394:08", std::nullopt},  // beyond 32-bit seconds
      {"1:60", std::nullopt},      {"1:60:00", std::nullopt},
      {"1:00:60", std::nullopt},   {"27:52.", std::nullopt},
      {"27:52.5x", std::nullopt},  {"27", std::nullopt},
      {"1:2:3:4", std::nullopt},   {":30", std::nullopt},
      {"-1:00", std::nullopt},     {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseIof2Time(c.text), c.seconds) << c.text;
}

TEST(ParseIof3Seconds, ReadsDecimalSecondsAndDropsTheFraction) {
  const struct {
    const char* text;
    Seconds seconds;
  } cases[] = {
      {"2001", 2001},
      {"000000000000002001", 2001},
      {"2001.9", 2001},
      {" 3723.5 ", 3723},
      {"2.001E3", 2001},
      {"0", 0},
      {"2147483647.9", 2147483647},
      {"2147483648", std::nullopt},
      {"-5", std::nullopt},
      {"INF", std::nullopt},
      {"NaN", std::nullopt},
      {"12s", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseIof3Seconds(c.text), c.seconds) << c.text;
}

TEST(ParsePlace, ReadsWholeNumbersFromOne) {
  EXPECT_EQ(ParsePlace(" 17 "), 17);
  EXPECT_EQ(ParsePlace("1="), 1);  // a shared place
  for (const char* text : {"0", "-1", "1.5", "abc", "", "99999999999", "=", "1==", "=1", "0="}) {
    EXPECT_EQ(ParsePlace(text), std::nullopt) << text;
  }
}

TEST(ParseIofDate, ReadsExistingDatesWithOrWithoutZoneOrTime) {
  for (const char* text :
       {"2011-07-30", "2011-07-30+01:00", "2011-07-30Z", "2011-07-30T10:00:00", " 2011-07-30 "}) {
    const auto date = ParseIofDate(text);
    ASSERT_TRUE(date) << text;
    EXPECT_EQ(date->year * 10000 + date->month * 100 + date->day, 20110730) << text;
  }
  for (const char* text : {"2011-02-30", "0099-01-01", "30.07.2011", "2011-7-30", "2011-07-30x", ""}) {
    EXPECT_FALSE(ParseIofDate(text)) << text;
  }
}

TEST(FormatRaceTime, WritesHoursThenTwoDigitMinutesAndSeconds) {
  const struct {
    std::int32_t seconds;
    const char16_t* text;
  } cases[] = {
      {0, u"0:00:00"},   {4983, u"1:23:03"}, {36000, u"10:00:00"}, {2147483647, u"596523:14:07"},
      {-61, u"0:-1:-1"},  // as printf writes it; no reader gives a negative time
  };
  for (const auto& c : cases) EXPECT_EQ(FormatRaceTime(c.seconds), c.text) << c.seconds;
}

}  // namespace
}  // namespace pointimport::outside::lapfile

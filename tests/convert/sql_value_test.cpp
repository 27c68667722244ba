#include "convert/sql_value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "convert/date_number.h"
#include "convert/runtime_error.h"
#include "convert/utf.h"
#include "support/temp_dir.h"
#include "support/test_database.h"

namespace pointimport::convert {
namespace {

double At(int year, int month, int day, int hour, int minute, double second) {
  return CombineDateAndTime(DayNumber(year, month, day),
                            hour / 24.0 + minute / 1440.0 + second / 86400.0);
}

TEST(FormatSqlValue, WritesEachKindAsItsLiteral) {
  const struct {
    Variant value;
    const char16_t* literal;
  } cases[] = {
      {Variant::Null(), u"''"},
      {Variant(u""), u"''"},
      {Variant(), u""},
      {Variant(true), u"1"},
      {Variant(false), u"0"},
      {Variant::Integer(-32768), u"-32768"},
      {Variant(2147483647), u"2147483647"},
      {Variant(100.0), u"100"},
      {Variant(87.5), u"87.5"},
      {Variant(200.0 / 3.0), u"66.6666666666667"},
      {Variant(0.0), u"0"},
      {Variant(-0.0), u"0"},
      {Variant(u"a b"), u"'a b'"},
      {Variant(u"O'Brien"), u"'O''Brien'"},
      {Variant(u"''"), u"''''''"},
      {Variant::Date(At(2005, 4, 10, 13, 5, 7)), u"'2005/04/10 13:05:07'"},
      {Variant::Date(0.5), u"'1899/12/30 12:00:00'"},
      {Variant::Date(0.0), u"'1899/12/30 00:00:00'"},
      {Variant::Date(-1.25), u"'1899/12/29 06:00:00'"},
      // Fractions of a second round to the nearest second, into the next day.
      {Variant::Date(At(2005, 4, 10, 13, 5, 7.4)), u"'2005/04/10 13:05:07'"},
      {Variant::Date(At(2005, 12, 31, 23, 59, 59.6)), u"'2006/01/01 00:00:00'"},
      {Variant::Date(DayNumber(100, 1, 1)), u"'0100/01/01 00:00:00'"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatSqlValue(c.value), c.literal) << Utf16ToUtf8(c.literal);
}

TEST(FormatSqlValue, RaisesRatherThanWriteAnUnreadableValue) {
  const struct {
    Variant value;
    std::int32_t number;
  } cases[] = {
      {Variant(std::numeric_limits<double>::quiet_NaN()), error_number::kOverflow},
      {Variant(std::numeric_limits<double>::infinity()), error_number::kOverflow},
      {Variant::Date(DayNumber(100, 1, 1) - 1.0), error_number::kOverflow},
      {Variant::Date(DayNumber(9999, 12, 31) + 1.0), error_number::kOverflow},
      {Variant::Date(std::nan("")), error_number::kOverflow},
  };
  for (const auto& c : cases) {
    try {
      FormatSqlValue(c.value);
      ADD_FAILURE() << "no error";
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.Number(), c.number);
    }
  }
}

TEST(FormatSqlValue, TextWithApostrophesIsStoredAsGiven) {
  testing::TempDir dir;
  const auto path = dir.File("RovevizoduziDivoz.mdb");
  testing::CreateTestDatabase(path);
  const std::u16string texts[] = {u"O'Brien", u"'", u"''", u"end'", u"'start",
                                  u"x'); DELETE FROM PERSON; --", u"山田'太郎", u""};
  {
    const auto connection = testing::OpenTestConnection(path);
    int id = 0;
    for (const auto& text : texts) {
      connection->Execute(u"INSERT INTO PERSON (ID, NAME, CLUB, SEX) VALUES (" +
                          FormatSqlValue(Variant(++id)) + u", " + FormatSqlValue(Variant(text)) +
                          u", " + FormatSqlValue(Variant::Null()) + u", '')");
    }
  }
  const auto rows = testing::QueryRows(path, "SELECT NAME, CLUB FROM PERSON ORDER BY CAST(ID AS INTEGER)");
  ASSERT_EQ(rows.size(), std::size(texts));
  for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i], Utf16ToUtf8(texts[i]) + "\t");
}

TEST(NullToDefault, ReplacesOnlyNull) {
  EXPECT_EQ(NullToDefault(Variant::Null(), Variant(u"")), Variant(u""));
  EXPECT_EQ(NullToDefault(Variant::Null(), Variant(3)), Variant(3));
  for (const Variant& value : {Variant(), Variant(u""), Variant(u"東京OLC"), Variant::Integer(0),
                               Variant::Date(0.5), Variant(false)}) {
    EXPECT_EQ(NullToDefault(value, Variant(u"default")), value);
  }
}

}  // namespace
}  // namespace pointimport::convert

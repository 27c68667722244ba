#include "convert/sql_value.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "convert/date_number.h"
#include "convert/runtime_error.h"
#include "convert/utf.h"
#include "support/temp_dir.h"
#include "support/test_database.h"

namespace pointimport::convert {
namespace {

using namespace std::string_literals;

double At(int year, int month, int day, int hour, int minute, double second) {
  return CombineDateAndTime(DayNumber(year, month, day), hour / 24.0 + minute / 1440.0 + second / 86400.0);
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
      {Variant(0x1.ffffffffffffbp+1023), u"1.79769313486231e+308"},
      {Variant(-0x1.ffffffffffffbp+1023), u"-1.79769313486231e+308"},
      {Variant(-0.0), u"0"},
      {Variant(u"a b"), u"'a b'"},
      {Variant(u"O'Brien"), u"'O''Brien'"},
      {Variant(u"''"), u"''''''"},
      // SQLite would end the statement at U+0000.
      {Variant(u"a\0b"s), u"'a'||char(0)||'b'"},
      {Variant(u"\0'"s), u"''||char(0)||''''"},
      {Variant(u"\0\0\0"s), u"''||((char(0)||'')||(char(0)||(''||char(0))))||''"},
      // SQLite would take the code unit after an unpaired surrogate, an
      // apostrophe too, into the character; UTF-8 cannot hold one anyway.
      {Variant(u"\xD800'"), u"'\xFFFD'''"},
      {Variant(u"a\xDC00"), u"'a\xFFFD'"},
      {Variant(u"\xDC00\xD800"), u"'\xFFFD\xFFFD'"},
      {Variant(u"\xD842\xDFB7"), u"'\xD842\xDFB7'"},
      // Four code units are looked at at once: every lane, and the rest.
      {Variant(u"abcd'efg"), u"'abcd''efg'"},
      {Variant(u"abc\xD800xyz"), u"'abc\xFFFDxyz'"},
      {Variant(u"abcdefg\xDFFF"), u"'abcdefg\xFFFD'"},
      {Variant(u"abcde\0"s), u"'abcde'||char(0)||''"},
      {Variant(u"\x8000\xD7FF\xE000\xFFFF\x0001"), u"'\x8000\xD7FF\xE000\xFFFF\x0001'"},
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
      // 15 digits would round these up to 1.79769313486232e+308, an infinity.
      {Variant(std::numeric_limits<double>::max()), error_number::kOverflow},
      {Variant(-std::numeric_limits<double>::max()), error_number::kOverflow},
      {Variant(0x1.ffffffffffffcp+1023), error_number::kOverflow},
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
  test_support::TempDir dir;
  const auto path = dir.File("RovevizoduziDivoz.mdb");
  test_support::CreateTestDatabase(path);
  const std::u16string texts[] = {
      u"O'Brien",   u"'", u"''",    u"end'", u"'start", u"x'); DELETE FROM PERSON; --",
      u"山田'太郎", u"",  u"a\0b"s, u"\0'"s};
  {
    const auto connection = test_support::OpenTestConnection(path);
    int id = 0;
    for (const auto& text : texts) {
      connection->Execute(u"INSERT INTO PERSON (ID, NAME, CLUB, SEX) VALUES (" + FormatSqlValue(Variant(++id)) +
                          u", " + FormatSqlValue(Variant(text)) + u", " + FormatSqlValue(Variant::Null()) +
                          u", '')");
    }
  }
  const auto rows = test_support::QueryRows(path, "SELECT NAME, CLUB FROM PERSON ORDER BY CAST(ID AS INTEGER)");
  ASSERT_EQ(rows.size(), std::size(texts));
  for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i], Utf16ToUtf8(texts[i]) + "\t");
}

// What SQLite holds for "SELECT literal", the text prepared as it stands, as
// UTF-8; "unreadable" when that is no single value.
std::string HeldAsItStands(const std::u16string& literal) {
  sqlite3* db = nullptr;
  sqlite3_open(":memory:", &db);
  const std::u16string statement = u"SELECT " + literal;
  sqlite3_stmt* prepared = nullptr;
  const void* tail = nullptr;
  std::string held = "unreadable";
  if (sqlite3_prepare16_v2(db, statement.data(), static_cast<int>(statement.size() * sizeof(char16_t)),
                           &prepared, &tail) == SQLITE_OK &&
      tail == statement.data() + statement.size() && sqlite3_step(prepared) == SQLITE_ROW &&
      sqlite3_column_count(prepared) == 1) {
    held.assign(reinterpret_cast<const char*>(sqlite3_column_text(prepared, 0)),
                static_cast<std::size_t>(sqlite3_column_bytes(prepared, 0)));
  }
  sqlite3_finalize(prepared);
  sqlite3_close(db);
  return held;
}

TEST(FormatSqlValue, TextLiteralsHoldTheirTextAsTheyStand) {
  const struct {
    std::u16string text;
    std::string held;
  } cases[] = {
      {u"O'Brien", "O'Brien"},
      {u"a\0b"s, "a\0b"s},
      {u"\0"s, "\0"s},
      {u"\0'\0"s, "\0'\0"s},
      {u"\xD800'", "\xEF\xBF\xBD'"},
      {u"\xD800' OR 1=1 --", "\xEF\xBF\xBD' OR 1=1 --"},
      {u"x\xDBFF", "x\xEF\xBF\xBD"},
      {u"\xDFFF'", "\xEF\xBF\xBD'"},
      {u"\xD842\xDFB7", "\xF0\xA0\xAE\xB7"},
      {u"\xFEFF\xFFFE\xFFFF", "\xEF\xBB\xBF\xEF\xBF\xBE\xEF\xBF\xBF"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HeldAsItStands(FormatSqlValue(Variant(c.text))), c.held) << Utf16ToUtf8(c.text);
  }
  // More operators than SQLite nests expressions deep.
  std::u16string runs;
  for (int i = 0; i < 3000; ++i) runs += i % 3 ? u"\0"s : u"x\0"s;
  EXPECT_EQ(HeldAsItStands(FormatSqlValue(Variant(runs))), Utf16ToUtf8(runs));
}

TEST(FormatSqlValue, NumberLiteralsReadBackFinite) {
  for (const double number : {0x1.ffffffffffffbp+1023, -0x1.ffffffffffffbp+1023, 4.9406564584124654e-324,
                              2.2250738585072014e-308, 1e15, 123456789012345.0}) {
    const std::string held = HeldAsItStands(FormatSqlValue(Variant(number)));
    EXPECT_TRUE(std::isfinite(std::strtod(held.c_str(), nullptr))) << held;
  }
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

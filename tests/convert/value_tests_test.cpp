#include "convert/value_tests.h"

#include <gtest/gtest.h>

#include "convert/date_number.h"
#include "convert/runtime_error.h"
#include "convert/utf.h"

namespace pointimport::convert {
namespace {

TEST(IsDateValue, TakesDatesAndRecognisedTextAsItStands) {
  const struct {
    Variant value;
    bool isDate;
  } cases[] = {
      {Variant::Date(0.0), true},
      {Variant::Date(38452.5), true},
      {Variant(u"1:23:45"), true},
      {Variant(u" 0:45 "), true},
      {Variant(u"2005/04/10 13:05:07"), true},
      // Full-width text counts only after folding, which the test does not do.
      {Variant(u"１：２３：４５"), false},
      {Variant(u"失格"), false},
      {Variant(u""), false},
      {Variant(), false},
      {Variant::Null(), false},
      {Variant(0.5), false},
      {Variant(1), false},
      {Variant(true), false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsDateValue(c.value), c.isDate) << "case " << (&c - cases);
}

TEST(ToDateNumber, GivesTheNumberTheDateTestRecognised) {
  EXPECT_EQ(ToDateNumber(Variant::Date(-1.25)), -1.25);
  EXPECT_EQ(ToDateNumber(Variant(u"1:23:45")), 1 / 24.0 + 23 / 1440.0 + 45 / 86400.0);
  EXPECT_EQ(ToDateNumber(Variant(u"2005/04/10")), DayNumber(2005, 4, 10));
  for (const Variant& value :
       {Variant(u"失格"), Variant(u"１：２３"), Variant(0.5), Variant(), Variant::Null()}) {
    try {
      ToDateNumber(value);
      ADD_FAILURE() << "no error";
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.Number(), error_number::kTypeMismatch);
    }
  }
}

TEST(IsNumericValue, TakesNumbersEmptyAndPlainNumberText) {
  for (const Variant& value : {Variant(), Variant::Integer(3), Variant(-7), Variant(87.5), Variant(false)}) {
    EXPECT_TRUE(IsNumericValue(value)) << Utf16ToUtf8(ToText(value));
  }
  for (const Variant& value : {Variant::Null(), Variant::Date(1.0)}) {
    EXPECT_FALSE(IsNumericValue(value));
  }
  for (const char16_t* text : {u"1", u"0", u"123", u" 12 ", u"\t3", u"+5", u"-5", u"1.5", u"5.", u".5", u"1e3",
                               u"1E+3", u"2.5e-3", u"007", u"(5)", u" (1.5) "}) {
    EXPECT_TRUE(IsNumericValue(Variant(text))) << Utf16ToUtf8(text);
  }
  for (const char16_t* text :
       {u"",     u" ",    u"+",     u"-",       u".",    u"e3",  u"1e",    u"1e+",  u"--5",  u"+-5",
        u"- 5",  u"1 2",  u"1.2.3", u"1,234",   u"()",   u"(5",  u"5)",    u"(-5)", u"( 5)", u"１",
        u"0x10", u"&H10", u"¥5",    u"1:23:45", u"失格", u"DNS", u"1e999", u"5位"}) {
    EXPECT_FALSE(IsNumericValue(Variant(text))) << Utf16ToUtf8(text);
  }
}

}  // namespace
}  // namespace pointimport::convert

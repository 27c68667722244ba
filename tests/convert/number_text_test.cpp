#include "convert/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "convert/runtime_error.h"

namespace pointimport::convert {
namespace {

TEST(FormatDouble, WritesFifteenSignificantDigitsWithoutTrailingZeros) {
  const struct {
    double value;
    const char16_t* text;
  } cases[] = {
      {100.0, u"100"},
      {87.5, u"87.5"},
      {200.0 / 3.0, u"66.6666666666667"},
      {0.0, u"0"},
      {-0.0, u"0"},
      {-12.25, u"-12.25"},
      {0.1 + 0.2, u"0.3"},
      {1e-5, u"0.00001"},
      {1.5e-5, u"0.000015"},
      {999999999999999.0, u"999999999999999"},
      {123456789012345678.0, u"1.23456789012346e+17"},
      {1e15, u"1e+15"},
      {1.25e-7, u"1.25e-7"},
      {75.00000000000001, u"75"},
      // The exact binary value is rounded, a tie to the even digit, and a
      // carry moves into the next decade.
      {123456789012344.5, u"123456789012344"},
      {123456789012345.5, u"123456789012346"},
      {999999999999999.5, u"1e+15"},
      {99999.99999999999, u"100000"},
      {0x1.fffffffffffffp-1, u"1"},
      {0x1p-16, u"0.0000152587890625"},
      {0x1.fffffffffffffp-17, u"0.0000152587890625"},
      {5e-324, u"4.94065645841247e-324"},
      {1e23, u"1e+23"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatDouble(c.value), c.text) << c.value;
  }
}

TEST(FormatDouble, RefusesValuesThatAreNotNumbers) {
  for (double value : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                       -std::numeric_limits<double>::infinity()}) {
    try {
      FormatDouble(value);
      FAIL() << value;
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.Number(), error_number::kOverflow);
    }
  }
}

TEST(FormatInteger, WritesDecimalDigits) {
  EXPECT_EQ(FormatInteger(0), u"0");
  EXPECT_EQ(FormatInteger(-32768), u"-32768");
  EXPECT_EQ(FormatInteger(2147483647), u"2147483647");
}

}  // namespace
}  // namespace pointimport::convert

#include "convert/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "convert/runtime_error.h"
#include "convert/utf.h"

namespace pointimport::convert {

namespace {

// A positive finite double rounded to 15 significant digits: d.dddddddddddddd
// times ten to the exponent, trailing zeros left in.
struct FifteenDigits {
  char digits[15];
  int exponent;
};

// to_chars rounds the exact binary value to 15 digits, ties to even.
FifteenDigits RoundedToFifteenDigits(double magnitude) {
  char buffer[32];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14).ptr;
  // "d.dddddddddddddde+XX"
  FifteenDigits rounded;
  rounded.digits[0] = buffer[0];
  std::memcpy(rounded.digits + 1, buffer + 2, 14);
  std::from_chars(buffer[17] == '+' ? buffer + 18 : buffer + 17, end, rounded.exponent);
  return rounded;
}

}  // namespace

void AppendInteger(std::int64_t value, std::u16string& out) {
  char buffer[24];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  AppendUtf16(out, std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
}

std::u16string FormatInteger(std::int64_t value) {
  std::u16string out;
  AppendInteger(value, out);
  return out;
}

void AppendDouble(double value, std::u16string& out) {
  if (!std::isfinite(value)) {
    throw RuntimeError(error_number::kOverflow, u"オーバーフローしました。");
  }
  if (value == 0.0) {
    out += u'0';  // also negative zero
    return;
  }
  const double magnitude = std::fabs(value);
  const FifteenDigits rounded = RoundedToFifteenDigits(magnitude);
  std::size_t digitCount = 15;
  while (digitCount > 1 && rounded.digits[digitCount - 1] == '0') --digitCount;
  const char* const digits = rounded.digits;
  const int exponent = rounded.exponent;

  char16_t buffer[40];
  char16_t* p = buffer;
  if (value < 0) *p++ = '-';
  if (exponent < -5 || exponent >= 15) {
    *p++ = digits[0];
    if (digitCount > 1) {
      *p++ = '.';
      p = std::copy(digits + 1, digits + digitCount, p);
    }
    *p++ = 'e';
    *p++ = exponent < 0 ? '-' : '+';
    char exponentDigits[4];
    char* const exponentEnd = std::to_chars(exponentDigits, exponentDigits + 4, std::abs(exponent)).ptr;
    p = std::copy(exponentDigits, exponentEnd, p);
  } else if (exponent < 0) {
    *p++ = '0';
    *p++ = '.';
    p = std::fill_n(p, -exponent - 1, u'0');
    p = std::copy(digits, digits + digitCount, p);
  } else {
    const auto intDigits = static_cast<std::size_t>(exponent) + 1;
    if (digitCount <= intDigits) {
      p = std::copy(digits, digits + digitCount, p);
      p = std::fill_n(p, intDigits - digitCount, u'0');
    } else {
      p = std::copy(digits, digits + intDigits, p);
      *p++ = '.';
      p = std::copy(digits + intDigits, digits + digitCount, p);
    }
  }
  out.append(buffer, static_cast<std::size_t>(p - buffer));
}

std::u16string FormatDouble(double value) {
  std::u16string out;
  AppendDouble(value, out);
  return out;
}

}  // namespace pointimport::convert

#include "convert/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "convert/runtime_error.h"

namespace pointimport::convert {

namespace {

std::u16string Widen(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

}  // namespace

std::u16string FormatInteger(std::int64_t value) {
  char buffer[24];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return Widen({buffer, static_cast<std::size_t>(end - buffer)});
}

std::u16string FormatDouble(double value) {
  if (!std::isfinite(value)) {
    throw RuntimeError(error_number::kOverflow, u"オーバーフローしました。");
  }
  if (value == 0.0) return u"0";  // also negative zero

  // Scientific form with 15 significant digits: "-d.dddddddddddddde+XX".
  char buffer[40];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14).ptr;
  const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
  const std::size_t ePos = text.find('e');
  const bool negative = text.front() == '-';
  std::string digits;
  for (char c : text.substr(0, ePos)) {
    if (c >= '0' && c <= '9') digits.push_back(c);
  }
  int exponent = 0;
  const char* exponentStart = text.data() + ePos + 1;
  if (*exponentStart == '+') ++exponentStart;
  std::from_chars(exponentStart, text.data() + text.size(), exponent);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = negative ? "-" : "";
  if (exponent < -5 || exponent >= 15) {
    out += digits.substr(0, 1);
    if (digits.size() > 1) out += "." + digits.substr(1);
    out += exponent < 0 ? "e-" : "e+";
    out += std::to_string(std::abs(exponent));
  } else if (exponent < 0) {
    out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  } else {
    const auto intDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= intDigits) {
      out += digits + std::string(intDigits - digits.size(), '0');
    } else {
      out += digits.substr(0, intDigits) + "." + digits.substr(intDigits);
    }
  }
  return Widen(out);
}

}  // namespace pointimport::convert

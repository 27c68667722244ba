#include "outside/real_literal.h"

#include <cmath>
#include <cstdint>

namespace pointimport::outside {

namespace {

__extension__ using Wide = unsigned __int128;  // GCC and Clang

constexpr std::uint64_t kMaxSignificand = 1'000'000'000'000'000;  // 15 digits, exact as a double
constexpr int kMaxFractionDigits = 19;                            // 10^19 fits 64 bits

constexpr std::uint64_t PowerOfTen(int exponent) {
  std::uint64_t power = 1;
  for (int i = 0; i < exponent; ++i) power *= 10;
  return power;
}

}  // namespace

std::optional<double> RealLiteralValueWhereCertain(std::u16string_view literal) {
  std::uint64_t significand = 0;
  int fractionDigits = 0;
  bool inFraction = false;
  for (char16_t c : literal) {
    if (c == u'.' && !inFraction) {
      inFraction = true;
      continue;
    }
    if (c < u'0' || c > u'9') return std::nullopt;  // an exponent, or no plain decimal
    significand = significand * 10 + static_cast<std::uint64_t>(c - u'0');
    if (significand >= kMaxSignificand) return std::nullopt;
    if (inFraction) ++fractionDigits;
  }
  if (significand == 0) return 0.0;
  while (fractionDigits > 0 && significand % 10 == 0) {
    significand /= 10;
    --fractionDigits;
  }
  if (fractionDigits == 0) return static_cast<double>(significand);  // exact
  if (fractionDigits > kMaxFractionDigits) return std::nullopt;

  // Both operands are exact doubles, so the quotient is rounded once, to
  // the nearest double.
  const std::uint64_t scale = PowerOfTen(fractionDigits);
  const double value = static_cast<double>(significand) / static_cast<double>(scale);

  // value = m * 2^q with a 53-bit m; the midpoints around it are
  // (2m - 1) * 2^(q-1) and (2m + 1) * 2^(q-1). Scaled by scale * 2^(1-q),
  // the literal is significand * 2^(1-q) and a midpoint (2m -+ 1) * scale,
  // all below 2^118.
  int exponent = 0;
  const double fraction = std::frexp(value, &exponent);
  const auto m = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  const int shift = 54 - exponent;  // 1 - q, with q = exponent - 53
  if (shift <= 0 || shift >= 118) return std::nullopt;
  const Wide exact = static_cast<Wide>(significand) << shift;
  const Wide below = static_cast<Wide>(2 * m - 1) * scale;
  const Wide above = static_cast<Wide>(2 * m + 1) * scale;
  if (exact <= below || exact >= above) return std::nullopt;  // not what rounding gives: leave it
  const Wide margin = exact >> 62;
  if (exact - below <= margin || above - exact <= margin) return std::nullopt;
  return value;
}

}  // namespace pointimport::outside

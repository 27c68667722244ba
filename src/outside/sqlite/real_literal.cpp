#include "outside/sqlite/real_literal.h"

#include <bit>
#include <cstdint>

#include "convert/powers_of_ten.h"
#include "outside/sqlite/sqlite_error.h"

namespace pointimport::outside::sqlite {

namespace {

using convert::kPowersOfTen;
using convert::UInt128;

constexpr std::uint64_t kMaxSignificand = 1'000'000'000'000'000;  // 15 digits, exact as a double
constexpr std::size_t kMaxFractionDigits = 19;                    // 10^19 fits 64 bits
static_assert(kPowersOfTen.size() == kMaxFractionDigits + 1);

}  // namespace

std::optional<double> RealLiteralValueWhereCertain(std::u16string_view literal) {
  std::uint64_t significand = 0;
  // Adds one digit; false for anything else (an exponent, a second point)
  // and for more digits than are certain.
  const auto addDigit = [&significand](char16_t c) {
    const auto digit = static_cast<std::uint64_t>(c - u'0');
    if (digit > 9) return false;
    significand = significand * 10 + digit;
    return significand < kMaxSignificand;
  };
  const std::size_t point = literal.find(u'.');
  const std::size_t wholeEnd = point == std::u16string_view::npos ? literal.size() : point;
  for (std::size_t k = 0; k < wholeEnd; ++k) {
    if (!addDigit(literal[k])) return std::nullopt;
  }
  for (std::size_t k = wholeEnd + 1; k < literal.size(); ++k) {
    if (!addDigit(literal[k])) return std::nullopt;
  }
  std::size_t fractionDigits = point == std::u16string_view::npos ? 0 : literal.size() - point - 1;
  if (significand == 0) return 0.0;
  while (fractionDigits > 0 && significand % 10 == 0) {
    significand /= 10;
    --fractionDigits;
  }
  if (fractionDigits == 0) return static_cast<double>(significand);  // exact
  if (fractionDigits > kMaxFractionDigits) return std::nullopt;

  // Both operands are exact doubles, so the quotient is rounded once, to
  // the nearest double.
  const std::uint64_t scale = kPowersOfTen[fractionDigits];
  const double value = static_cast<double>(significand) / static_cast<double>(scale);

  // value = m * 2^q with a 53-bit m; the midpoints around it are
  // (2m - 1) * 2^(q-1) and (2m + 1) * 2^(q-1). Scaled by scale * 2^(1-q),
  // the literal is significand * 2^(1-q) and a midpoint (2m -+ 1) * scale,
  // all below 2^118.
  // The value, at least 10^-19, is a normal double: its stored exponent
  // gives q, and its stored fraction with the hidden bit gives m.
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const auto biasedExponent = static_cast<int>(bits >> 52);
  const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const int shift = 1076 - biasedExponent;  // 1 - q, with q = biasedExponent - 1075
  if (shift <= 0 || shift >= 118) return std::nullopt;
  const UInt128 exact = static_cast<UInt128>(significand) << shift;
  const UInt128 below = static_cast<UInt128>(2 * m - 1) * scale;
  const UInt128 above = static_cast<UInt128>(2 * m + 1) * scale;
  if (exact <= below || exact >= above) return std::nullopt;  // not what rounding gives: leave it
  const UInt128 margin = exact >> 62;
  if (exact - below <= margin || above - exact <= margin) return std::nullopt;
  return value;
}

double RealLiteralReader::Value(std::u16string_view literal) {
  if (const auto certain = RealLiteralValueWhereCertain(literal)) return *certain;
  if (!cast_) {
    cast_ = Statement(db_, "SELECT CAST(?1 AS REAL)");
    if (cast_.Failed()) {
      cast_ = Statement();
      throw LastSqliteError(db_, u"SQL 文を準備できません");
    }
  }
  cast_.Bind(1, literal);
  const bool read = cast_.Step();
  const double value = cast_.ColumnDouble(0);
  if (!read) {
    const SqliteError failure = LastSqliteError(db_, u"数値を読めません");
    cast_.Reset();
    throw failure;
  }
  cast_.Reset();
  return value;
}

}  // namespace pointimport::outside::sqlite

#pragma once

#include <array>
#include <cstdint>

namespace pointimport::convert {

// 10^0 to 10^19, every power of ten a 64-bit word holds: looked up, as
// numbers are written and read for every row.
inline constexpr auto kPowersOfTen = [] {
  std::array<std::uint64_t, 20> powers{1};
  for (std::size_t i = 1; i < powers.size(); ++i) powers[i] = powers[i - 1] * 10;
  return powers;
}();

// Products of a 53-bit significand and a power of ten, exact (GCC's and
// Clang's type, pedantic or not).
__extension__ using UInt128 = unsigned __int128;

}  // namespace pointimport::convert

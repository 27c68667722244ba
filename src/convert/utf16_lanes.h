#pragma once

#include <cstdint>
#include <cstring>

namespace pointimport::convert {

// Four UTF-16 code units tested at once, read as one 64-bit word with a
// code unit in each 16-bit lane.
inline constexpr std::uint64_t kLaneOnes = 0x0001000100010001ULL;
inline constexpr std::uint64_t kLaneTops = 0x8000800080008000ULL;

inline std::uint64_t FourUnits(const char16_t* units) {
  std::uint64_t word;
  std::memcpy(&word, units, sizeof word);
  return word;
}

// c in every lane: x ^ EveryLane(c) turns the lanes holding c to 0.
constexpr std::uint64_t EveryLane(char16_t c) { return kLaneOnes * c; }

// The top bit of every lane of x that is 0, and perhaps of lanes above the
// lowest such. Without a 0 lane no lane borrows, and x - 1 keeps a lane's
// top bit clear wherever x has it clear: the result is 0. The lowest 0 lane
// borrows from none below it and becomes 0xFFFF: it is flagged. So whether
// any lane is 0, and which is the lowest, are told exactly.
constexpr std::uint64_t ZeroLaneTops(std::uint64_t x) { return (x - kLaneOnes) & ~x & kLaneTops; }

}  // namespace pointimport::convert

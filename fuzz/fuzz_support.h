#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// What the fuzzers share: their input as UTF-16 text, and a failed property
// reported so that the input can be read back as a test case.
namespace pointimport::fuzz {

// The bytes as little-endian UTF-16 code units, any of them, an odd last
// byte dropped.
inline std::u16string CodeUnits(const std::uint8_t* data, std::size_t size) {
  std::u16string text(size / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  }
  return text;
}

// Stops the run with the code units of text, which UTF-8 could not show
// when they hold an unpaired surrogate.
[[noreturn]] inline void Fail(const char* property, std::u16string_view text) {
  std::fprintf(stderr, "property failed: %s\ntext:", property);
  for (char16_t c : text) std::fprintf(stderr, " %04X", static_cast<unsigned>(c));
  std::fprintf(stderr, "\n");
  std::abort();
}

inline void Expect(bool holds, const char* property, std::u16string_view text) {
  if (!holds) Fail(property, text);
}

}  // namespace pointimport::fuzz

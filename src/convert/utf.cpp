#include "convert/utf.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace pointimport::convert {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at bytes[i], advancing i. Returns kReplacement and
// consumes the maximal invalid prefix on malformed input.
char32_t DecodeOne(std::string_view bytes, std::size_t& i, bool& valid) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
  const unsigned char lead = byte(i);
  valid = true;
  if (lead < 0x80) {
    ++i;
    return lead;
  }
  int length = 0;
  char32_t cp = 0;
  unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    cp = lead & 0x0F;
    if (lead == 0xE0) lo = 0xA0;  // no overlongs
    if (lead == 0xED) hi = 0x9F;  // no surrogates U+D800..U+DFFF
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    cp = lead & 0x07;
    if (lead == 0xF0) lo = 0x90;  // no overlongs
    if (lead == 0xF4) hi = 0x8F;  // nothing above U+10FFFF
  } else {
    ++i;
    valid = false;
    return kReplacement;
  }
  std::size_t k = i + 1;
  for (int n = 1; n < length; ++n, ++k) {
    const unsigned char low = n == 1 ? lo : 0x80;
    const unsigned char high = n == 1 ? hi : 0xBF;
    if (k >= bytes.size() || byte(k) < low || byte(k) > high) {
      i = k;
      valid = false;
      return kReplacement;
    }
    cp = (cp << 6) | (byte(k) & 0x3F);
  }
  i = k;
  return cp;
}

bool IsContinuation(unsigned char byte) { return byte >= 0x80 && byte <= 0xBF; }

// Most characters in a lap file that are not ASCII are kana and kanji: three
// bytes whose lead (E1..EC, EE, EF) takes any continuation bytes after it,
// which DecodeOne would read to the same code unit. Such a character is
// read in place.
bool IsPlainThreeByteCharacter(const unsigned char* data, std::size_t size, std::size_t i) {
  const unsigned char lead = data[i];
  const bool plainLead = (lead & 0xF0) == 0xE0 && lead != 0xE0 && lead != 0xED;
  return plainLead && size - i >= 3 && IsContinuation(data[i + 1]) && IsContinuation(data[i + 2]);
}

void AppendUtf16(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
  }
}

// Writes the code units of utf8 at out, which has room for utf8.size():
// a character takes a code unit per byte at most (two for its four bytes
// beyond U+FFFF), and each U+FFFD replaces one byte or more. Returns how
// many it wrote.
std::size_t Utf8ToUtf16Units(std::string_view utf8, char16_t* out) {
  const auto* const data = reinterpret_cast<const unsigned char*>(utf8.data());
  const std::size_t size = utf8.size();
  char16_t* next = out;
  std::size_t i = 0;
  bool valid = true;
  while (i < size) {
    const std::size_t ascii = AsciiRun(utf8, i);
    for (std::size_t k = 0; k < ascii; ++k) next[k] = data[i + k];
    next += ascii;
    i += ascii;
    while (i < size && data[i] >= 0x80) {
      if (IsPlainThreeByteCharacter(data, size, i)) {
        *next++ =
            static_cast<char16_t>((data[i] & 0x0F) << 12 | (data[i + 1] & 0x3F) << 6 | (data[i + 2] & 0x3F));
        i += 3;
        continue;
      }
      const char32_t cp = DecodeOne(utf8, i, valid);
      if (cp < 0x10000) {
        *next++ = static_cast<char16_t>(cp);
      } else {
        *next++ = static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
        *next++ = static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
      }
    }
  }
  return static_cast<std::size_t>(next - out);
}

}  // namespace

// Lap files and SQL are mostly ASCII: their long runs go four words a step,
// the rest a word a step, and the first byte of a word that is not ASCII is
// found from its high bits rather than byte by byte.
std::size_t AsciiRun(std::string_view bytes, std::size_t i) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
  const char* const data = bytes.data();
  const std::size_t start = i;
  // Each word loaded on its own: copied as one array, the words would go
  // through memory first.
  const auto word = [data](std::size_t at) {
    std::uint64_t value;
    std::memcpy(&value, data + at, 8);
    return value;
  };
  while (i + 32 <= bytes.size()) {
    if ((word(i) | word(i + 8) | word(i + 16) | word(i + 24)) & kHighBits) break;
    i += 32;
  }
  while (i + 8 <= bytes.size()) {
    if (const std::uint64_t high = word(i) & kHighBits; high != 0) {
      // The byte at the lowest address is the word's least significant.
      if constexpr (std::endian::native == std::endian::little) {
        return i + static_cast<std::size_t>(std::countr_zero(high)) / 8 - start;
      }
      break;
    }
    i += 8;
  }
  while (i < bytes.size() && static_cast<unsigned char>(data[i]) < 0x80) ++i;
  return i - start;
}

void AppendUtf16(std::u16string& out, std::string_view utf8) {
  // A short text (a name, a value) is converted on the stack first, so that
  // one that fits in the string itself takes no allocation; making room in
  // out first would clear it and then cut it back.
  constexpr std::size_t kShort = 64;
  if (utf8.size() <= kShort) {
    char16_t units[kShort];
    out.append(units, Utf8ToUtf16Units(utf8, units));
    return;
  }
  // A UTF-8 byte never makes more than one UTF-16 unit.
  const std::size_t had = out.size();
  out.resize(had + utf8.size());
  out.resize(had + Utf8ToUtf16Units(utf8, out.data() + had));
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  AppendUtf16(out, utf8);
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  AppendUtf8(out, utf16);
  return out;
}

void AppendUtf8(std::string& out, std::u16string_view utf16) {
  // Written through a pointer into a block on the stack, appended when full:
  // push_back one byte at a time costs several times as much, and making
  // room in out beforehand would clear three bytes a code unit.
  char block[512];
  // The code units go a stretch at a time, so that no step needs to ask for
  // room: a code unit takes three bytes at most (a surrogate pair four for
  // its two), and a stretch of 160, overrun by at most three by its last
  // step, takes 489 bytes at most.
  constexpr std::size_t kStretch = 160;
  out.reserve(out.size() + utf16.size());
  const std::size_t size = utf16.size();
  std::size_t i = 0;
  while (i < size) {
    char* next = block;
    const std::size_t stretchEnd = std::min(size, i + kStretch);
    while (i < stretchEnd) {
      // Four ASCII code units at a time: statements and their values are mostly ASCII.
      std::uint64_t chunk;
      if (i + 4 <= size && (std::memcpy(&chunk, utf16.data() + i, 8), !(chunk & 0xFF80FF80FF80FF80ULL))) {
        for (int k = 0; k < 4; ++k) *next++ = static_cast<char>(utf16[i + k]);
        i += 4;
        continue;
      }
      char32_t cp = utf16[i++];
      if (cp < 0x80) {
        *next++ = static_cast<char>(cp);
        continue;
      }
      if (cp < 0x800) {
        *next++ = static_cast<char>(0xC0 | (cp >> 6));
        *next++ = static_cast<char>(0x80 | (cp & 0x3F));
        continue;
      }
      if (cp >= 0xD800 && cp <= 0xDFFF) {
        if (cp <= 0xDBFF && i < size && utf16[i] >= 0xDC00 && utf16[i] <= 0xDFFF) {
          cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i++] - 0xDC00);
          *next++ = static_cast<char>(0xF0 | (cp >> 18));
          *next++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
          *next++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
          *next++ = static_cast<char>(0x80 | (cp & 0x3F));
          continue;
        }
        cp = kReplacement;
      }
      *next++ = static_cast<char>(0xE0 | (cp >> 12));
      *next++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      *next++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    out.append(block, static_cast<std::size_t>(next - block));
  }
}

std::u16string PathFromNative(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    const std::size_t start = i;
    bool valid = true;
    const char32_t cp = DecodeOne(bytes, i, valid);
    if (!valid) {
      // One escape per byte, then decoding starts again at the next byte.
      out.push_back(static_cast<char16_t>(0xDC00 + static_cast<unsigned char>(bytes[start])));
      i = start + 1;
    } else {
      AppendUtf16(out, cp);
    }
  }
  return out;
}

std::string NativePath(std::u16string_view path) {
  std::string out;
  out.reserve(path.size());
  std::size_t begin = 0;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    const bool atEnd = i == path.size();
    const bool paired = !atEnd && i > 0 && path[i - 1] >= 0xD800 && path[i - 1] <= 0xDBFF;
    // Only a lone U+DC80..U+DCFF is an escaped byte; U+DC00..U+DC7F would
    // stand for ASCII, which is never escaped.
    if (atEnd || (!paired && path[i] >= 0xDC80 && path[i] <= 0xDCFF)) {
      out += Utf16ToUtf8(path.substr(begin, i - begin));
      if (!atEnd) out.push_back(static_cast<char>(path[i] - 0xDC00));
      begin = i + 1;
    }
  }
  return out;
}

std::size_t FirstInvalidUtf8(std::string_view bytes) {
  const auto* const data = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  std::size_t i = 0;
  while (i < size) {
    i += AsciiRun(bytes, i);
    // Then the run of characters that are not ASCII (a name in kanji, say).
    while (i < size && data[i] >= 0x80) {
      if (IsPlainThreeByteCharacter(data, size, i)) {
        i += 3;
        continue;
      }
      const std::size_t start = i;
      bool valid = true;
      DecodeOne(bytes, i, valid);
      if (!valid) return start;
    }
  }
  return size;
}

Utf8Tally TallyUtf8(std::string_view bytes) {
  Utf8Tally tally;
  std::size_t i = 0;
  while (i < bytes.size()) {
    i += AsciiRun(bytes, i);
    if (i == bytes.size()) break;
    bool valid = true;
    DecodeOne(bytes, i, valid);
    ++(valid ? tally.multiByteCharacters : tally.invalidSequences);
  }
  return tally;
}

bool IsValidUtf8(std::string_view bytes) { return FirstInvalidUtf8(bytes) == bytes.size(); }

}  // namespace pointimport::convert

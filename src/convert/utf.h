#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pointimport::convert {

// The one place where text crosses between UTF-8 (Qt, SQLite, XML, the
// command line) and the UTF-16 code units used inside.
//
// Invalid UTF-8 becomes U+FFFD per maximal bad subsequence; an unpaired
// surrogate becomes U+FFFD in UTF-8, since UTF-8 cannot hold it.
std::u16string Utf8ToUtf16(std::string_view utf8);
// The same, appended to out: names put together from parts take one buffer.
void AppendUtf16(std::u16string& out, std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);
// The same, appended to out: a caller converting many values keeps one buffer.
void AppendUtf8(std::string& out, std::u16string_view utf16);

// File names are bytes to the file system, not always UTF-8. Inside they
// travel as UTF-16 like any text: each byte that is no part of valid UTF-8
// rides along as the lone low surrogate U+DC80..U+DCFF, so that NativePath
// gives back exactly the bytes PathFromNative was given. Shown to a person
// (through Utf16ToUtf8), such a byte reads as U+FFFD.
std::u16string PathFromNative(std::string_view bytes);
std::string NativePath(std::u16string_view path);

// The length of the run of ASCII bytes (below 0x80) that begins at bytes[i].
std::size_t AsciiRun(std::string_view bytes, std::size_t i);

// Where the first character begins that is not well-formed UTF-8; the size
// of the bytes when all of them are.
std::size_t FirstInvalidUtf8(std::string_view bytes);

// How much of the bytes reads as UTF-8: the well-formed characters of more
// than one byte, and the sequences that are no UTF-8 (each as far as it
// goes before a byte that could begin a character).
struct Utf8Tally {
  std::size_t multiByteCharacters = 0;
  std::size_t invalidSequences = 0;
};
Utf8Tally TallyUtf8(std::string_view bytes);

// True when the bytes are well-formed UTF-8 (no overlongs, no surrogates,
// nothing above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

}  // namespace pointimport::convert

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "outside/lapfile/result_list.h"

namespace pointimport::outside::lapfile {

// The longest name, club, class, event name or Id a lap file may give, in
// UTF-16 code units as the text is kept: a hundred times the longest real
// one, and small enough that a file made of one huge value costs no more
// memory than the file itself. Whatever reads a value on keeps it in
// several copies (the person ID, the statements, the report).
inline constexpr std::size_t kMaxValueLength = 4096;

// UTF-8 text as UTF-16, cut short where it is surely longer than
// kMaxValueLength (every three bytes of UTF-8 make at least one code
// unit): such a value is refused, and need not be converted whole.
void AppendBoundedUtf16(std::u16string& out, std::string_view utf8);
std::u16string BoundedUtf16(std::string_view utf8);

// The reason a value over kMaxValueLength is refused, showing its start,
// e.g. "名前が長すぎます (4096 文字まで): クラス M21 の選手名 \"AAAA…\"".
std::u16string OverlongValueReason(std::u16string_view what, std::u16string_view value);

// The reason for the first value of the list over kMaxValueLength, or
// empty text when there is none.
std::u16string FirstOverlongValue(const ResultList& list);

}  // namespace pointimport::outside::lapfile

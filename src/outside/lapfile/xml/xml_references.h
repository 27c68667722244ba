#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pointimport::outside::lapfile::xml {

// The references XML has: the five predefined entities (&amp; &lt; &gt;
// &quot; &apos;) and character references (&#...; &#x...;) to characters
// that XML has. Documents that declare entities of their own are not read.

// The length of the reference at the start of text, which begins with &,
// & to ; both included; 0 when it is none that XML allows.
std::size_t AllowedReferenceLength(std::string_view text);

// Replaces the references of a text by what they stand for, in place: a
// reference is never shorter than its character in UTF-8. Returns the
// reason when the text holds one that XML does not allow, else empty text.
std::u16string ExpandReferences(char* text);

}  // namespace pointimport::outside::lapfile::xml

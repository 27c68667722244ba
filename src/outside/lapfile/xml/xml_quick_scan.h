#pragma once

#include <cstddef>
#include <string_view>

namespace pointimport::outside::lapfile::xml {

// A quick look at a document's raw UTF-8 text, before pugixml parses it:
// true when its texts and attributes certainly hold nothing that XML
// forbids and pugixml would let through (a reference XML has not, a bare
// &, < in an attribute value, a duplicate attribute), so that pugixml may
// expand the references itself. False also wherever the look cannot be sure
// to see the document as pugixml will: the document is then checked node
// by node.
bool LooksPlain(std::string_view text);

enum class XmlTextFault {
  None,
  ForbiddenCharacter,     // a character XML has not: U+0000..U+001F but tab, LF, CR; U+FFFE; U+FFFF
  DoubleHyphenInComment,  // -- inside a comment
};

struct XmlTextScan {
  XmlTextFault fault = XmlTextFault::None;
  std::size_t offset = 0;  // of the fault
  // ]]> outside CDATA sections and comments: it may not stand in a text,
  // which only the parsed document tells, but may in an attribute value.
  bool strayCdataEnd = false;
};

// A look at a document's raw UTF-8 text, before pugixml parses it, for
// what XML forbids wherever it stands and pugixml lets through. Control
// characters are looked for sixty-four bytes at a time, the other bytes
// that begin a fault (EF, !, ]) by the C library's search: in the usual
// document there are none.
XmlTextScan ScanXmlText(std::string_view text);

}  // namespace pointimport::outside::lapfile::xml

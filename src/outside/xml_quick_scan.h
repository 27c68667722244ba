#pragma once

#include <cstddef>
#include <string_view>

namespace pointimport::outside {

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
  DeclarationNotAtStart,  // <?xml after anything but white space
};

struct XmlTextScan {
  XmlTextFault fault = XmlTextFault::None;
  std::size_t offset = 0;  // of the fault
  // ]]> outside CDATA sections and comments: it may not stand in a text,
  // which only the parsed document tells, but may in an attribute value.
  bool strayCdataEnd = false;
};

// One pass over a document's raw UTF-8 text, before pugixml parses it, for
// what XML forbids wherever it stands and pugixml lets through. The text
// is tested sixteen bytes at a time: in the usual document nearly every
// stretch holds none of the few bytes that begin such a fault.
XmlTextScan ScanXmlText(std::string_view text);

}  // namespace pointimport::outside

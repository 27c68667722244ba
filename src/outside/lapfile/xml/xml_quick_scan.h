#pragma once

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

}  // namespace pointimport::outside::lapfile::xml

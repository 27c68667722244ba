#pragma once

#include <pugixml.hpp>
#include <string>

namespace pointimport::outside::lapfile::xml {

// Parses a UTF-8 XML document in place, refusing what XML forbids but
// pugixml lets through: a character XML has not (U+0000..U+001F but tab,
// LF and CR; U+FFFE; U+FFFF), ]]> in a text, -- in a comment, an XML
// declaration after the document's start, a character reference to a
// character that XML has not (&#0;, &#xD800;, &#x110000;), an entity
// reference other than the five predefined ones, a bare &, < in an
// attribute value, a duplicate attribute, entities declared in the DOCTYPE,
// text beside the root element and a second root element.
//
// text must stay alive and unchanged as long as document is used. Returns
// empty text when the document is well-formed, else the reason, beginning
// "XML として正しくありません: ".
std::u16string ParseXmlStrictly(std::string& text, pugi::xml_document& document);

}  // namespace pointimport::outside::lapfile::xml

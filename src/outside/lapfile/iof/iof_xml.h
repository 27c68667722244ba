#pragma once

#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace pointimport::outside::lapfile::iof {

// Element look-ups for IOF documents. Elements are matched by their local
// name, so that the default namespace, a prefix ("iof:Time") and no
// namespace at all read the same.

std::string_view LocalName(pugi::xml_node element);

// The namespace URI of an element, from the xmlns declaration of its prefix
// (or the default one) on the element or its ancestors; empty when none.
std::string_view NamespaceUri(pugi::xml_node element);

// The first child element with that local name, or an empty node.
pugi::xml_node Child(pugi::xml_node parent, std::string_view localName);

// The element's own character data (text and CDATA children), trimmed, as
// UTF-16; empty text for an empty node.
std::u16string Text(pugi::xml_node element);

// As Text, but UTF-8, for values that are read further: a view into the
// document, or into pieces when the text comes in several.
std::string_view Utf8Text(pugi::xml_node element, std::string& pieces);

// The text of the first child of that local name that is not empty.
std::u16string FirstText(pugi::xml_node parent, std::string_view localName);

// A name element's Name, else its ShortName, else empty text: an
// organisation, a club or a class.
std::u16string NameOrShortName(pugi::xml_node element);

// A person's name element (3.0 Name, 2.0.3 PersonName): family name, one
// blank, given name(s); whichever exists when one is missing.
std::u16string FamilyAndGivenNames(pugi::xml_node name);

// "M" or "F" from the person's sex attribute, else from the class's, else
// empty text (a class for both sexes is "B").
std::u16string RunnerSex(pugi::xml_node person, pugi::xml_node classElement);

}  // namespace pointimport::outside::lapfile::iof

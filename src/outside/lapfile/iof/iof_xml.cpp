#include "outside/lapfile/iof/iof_xml.h"

#include <cstring>

#include "convert/utf.h"
#include "outside/lapfile/result_list.h"
#include "outside/lapfile/value_bound.h"
#include "outside/lapfile/xml/xml_space.h"

namespace pointimport::outside::lapfile::iof {

// pugixml hands a name out without its length: one pass of the C library's
// span search finds the colon or the end.
std::string_view LocalName(pugi::xml_node element) {
  const char* const name = element.name();
  const std::size_t prefix = std::strcspn(name, ":");
  if (name[prefix] == '\0') return {name, prefix};
  return name + prefix + 1;
}

std::string_view NamespaceUri(pugi::xml_node element) {
  const std::string_view name = element.name();
  const std::size_t colon = name.find(':');
  const std::string attribute =
      colon == std::string_view::npos ? std::string("xmlns") : "xmlns:" + std::string(name.substr(0, colon));
  for (pugi::xml_node node = element; node.type() == pugi::node_element; node = node.parent()) {
    if (const pugi::xml_attribute declared = node.attribute(attribute.c_str())) {
      return xml::TrimXmlSpace(declared.value());
    }
  }
  return {};
}

pugi::xml_node Child(pugi::xml_node parent, std::string_view localName) {
  for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
    if (child.type() == pugi::node_element && LocalName(child) == localName) return child;
  }
  return {};
}

std::string_view Utf8Text(pugi::xml_node element, std::string& pieces) {
  // Parsed with the text of a leaf element embedded in the element itself
  // (most IOF elements are leaves, and it halves the nodes); a comment inside
  // the text splits it into several pieces.
  const char* const own = element.value();
  pugi::xml_node piece = element.first_child();
  const auto isText = [](pugi::xml_node node) {
    return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
  };
  while (piece && !isText(piece)) piece = piece.next_sibling();
  if (!piece) return xml::TrimXmlSpace(own);
  // Pieces past the bound of a value would only be refused with it.
  constexpr std::size_t kEnough = 4 * (kMaxValueLength + 1);
  pieces.assign(std::string_view(own).substr(0, kEnough));
  for (; piece && pieces.size() < kEnough; piece = piece.next_sibling()) {
    if (isText(piece)) pieces.append(std::string_view(piece.value()).substr(0, kEnough));
  }
  return xml::TrimXmlSpace(pieces);
}

std::u16string Text(pugi::xml_node element) {
  std::string pieces;
  return BoundedUtf16(Utf8Text(element, pieces));
}

std::u16string FirstText(pugi::xml_node parent, std::string_view localName) {
  std::string pieces;
  for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
    if (child.type() != pugi::node_element || LocalName(child) != localName) continue;
    const std::string_view text = Utf8Text(child, pieces);
    if (!text.empty()) return BoundedUtf16(text);
  }
  return {};
}

// One walk over the children: a ShortName before the Name is kept aside.
std::u16string NameOrShortName(pugi::xml_node element) {
  std::string pieces, shortPieces;
  std::string_view shortName;  // the first that is not empty
  for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
    if (child.type() != pugi::node_element) continue;
    const std::string_view name = LocalName(child);
    if (name == "Name") {
      if (const std::string_view text = Utf8Text(child, pieces); !text.empty()) return BoundedUtf16(text);
    } else if (name == "ShortName" && shortName.empty()) {
      // shortPieces is only written while no text has been kept from it.
      shortName = Utf8Text(child, shortPieces);
    }
  }
  return BoundedUtf16(shortName);
}

// One walk over the children: the first family name that is not empty,
// wherever it stands, goes in front of the given names.
std::u16string FamilyAndGivenNames(pugi::xml_node name) {
  std::u16string family, givens;
  std::string pieces;
  for (pugi::xml_node child = name.first_child(); child; child = child.next_sibling()) {
    if (child.type() != pugi::node_element) continue;
    const std::string_view part = LocalName(child);
    if (part == "Given" && givens.size() <= kMaxValueLength) {
      AppendNamePart(givens, BoundedUtf16(Utf8Text(child, pieces)));
    } else if (part == "Family" && family.empty()) {
      AppendBoundedUtf16(family, Utf8Text(child, pieces));
    }
  }
  AppendNamePart(family, givens);
  return family;
}

std::u16string RunnerSex(pugi::xml_node person, pugi::xml_node classElement) {
  for (const pugi::xml_node element : {person, classElement}) {
    const std::string_view sex = xml::TrimXmlSpace(element.attribute("sex").value());
    if (sex == "M") return u"M";
    if (sex == "F") return u"F";
  }
  return {};
}

}  // namespace pointimport::outside::lapfile::iof

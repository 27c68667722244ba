#include "outside/iof_xml.h"

#include "convert/utf.h"
#include "outside/result_list.h"

namespace pointimport::outside {

std::string_view TrimXmlSpace(std::string_view text) {
  constexpr std::string_view kSpace = " \t\r\n";
  const std::size_t first = text.find_first_not_of(kSpace);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

std::string_view LocalName(pugi::xml_node element) {
  const std::string_view name = element.name();
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::string_view NamespaceUri(pugi::xml_node element) {
  const std::string_view name = element.name();
  const std::size_t colon = name.find(':');
  const std::string attribute =
      colon == std::string_view::npos ? std::string("xmlns") : "xmlns:" + std::string(name.substr(0, colon));
  for (pugi::xml_node node = element; node.type() == pugi::node_element; node = node.parent()) {
    if (const pugi::xml_attribute declared = node.attribute(attribute.c_str())) {
      return TrimXmlSpace(declared.value());
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

std::string Utf8Text(pugi::xml_node element) {
  // Parsed with the text of a leaf element embedded in the element itself
  // (most IOF elements are leaves, and it halves the nodes); a comment inside
  // the text splits it into several pieces.
  std::string text = element.value();
  for (pugi::xml_node piece = element.first_child(); piece; piece = piece.next_sibling()) {
    if (piece.type() == pugi::node_pcdata || piece.type() == pugi::node_cdata) text += piece.value();
  }
  return std::string(TrimXmlSpace(text));
}

std::u16string Text(pugi::xml_node element) { return convert::Utf8ToUtf16(Utf8Text(element)); }

std::u16string FirstText(pugi::xml_node parent, std::string_view localName) {
  for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
    if (child.type() != pugi::node_element || LocalName(child) != localName) continue;
    if (std::u16string text = Text(child); !text.empty()) return text;
  }
  return {};
}

std::u16string NameOrShortName(pugi::xml_node element) {
  if (std::u16string name = FirstText(element, "Name"); !name.empty()) return name;
  return FirstText(element, "ShortName");
}

std::u16string FamilyAndGivenNames(pugi::xml_node name) {
  std::u16string full = FirstText(name, "Family");
  for (pugi::xml_node child = name.first_child(); child; child = child.next_sibling()) {
    if (child.type() == pugi::node_element && LocalName(child) == "Given") AppendNamePart(full, Text(child));
  }
  return full;
}

std::u16string RunnerSex(pugi::xml_node person, pugi::xml_node classElement) {
  for (const pugi::xml_node element : {person, classElement}) {
    const std::string_view sex = TrimXmlSpace(element.attribute("sex").value());
    if (sex == "M") return u"M";
    if (sex == "F") return u"F";
  }
  return {};
}

}  // namespace pointimport::outside

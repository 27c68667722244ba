#include "outside/lapfile/xml/strict_xml.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "convert/utf.h"
#include "outside/lapfile/xml/xml_quick_scan.h"
#include "outside/lapfile/xml/xml_references.h"

namespace pointimport::outside::lapfile::xml {

using convert::Utf8ToUtf16;

namespace {

constexpr char16_t kNotWellFormed[] = u"XML として正しくありません: ";

// The DOCTYPE is kept to look for entity declarations.
constexpr unsigned kParseFlags = pugi::parse_default | pugi::parse_fragment | pugi::parse_embed_pcdata |
                                 pugi::parse_doctype | pugi::parse_declaration;
// References are left as written, so that what pugixml would turn into a
// cut text (&#0;) or U+FFFD, or keep as text (&nbsp;, a bare &), is seen
// by the check of every node.
constexpr unsigned kUnexpandedParseFlags = kParseFlags & ~pugi::parse_escapes;

std::u16string Number(std::size_t value) { return Utf8ToUtf16(std::to_string(value)); }

// pugixml parses in place: every text it hands out lies in the caller's
// buffer, which may be written, and a text with a reference in it is never
// the shared empty text.
char* Writable(const char* text) { return const_cast<char*>(text); }

std::u16string Where(pugi::xml_node element) { return u" (要素 " + Utf8ToUtf16(element.name()) + u")"; }

std::u16string Where(pugi::xml_node element, pugi::xml_attribute attribute) {
  return u" (要素 " + Utf8ToUtf16(element.name()) + u" の属性 " + Utf8ToUtf16(attribute.name()) + u")";
}

// The line of an offset into the buffer. pugixml has rewritten the text
// before it in place: a line break right after a tag's name became an end
// marker, and a text with several CR LF line ends leaves copies of its
// tail behind. The line is exact in the usual layout, where line breaks
// follow a tag's end or an attribute value; counting on a copy of the
// document would cost every load far more.
std::size_t LineAt(std::string_view text, std::size_t offset) {
  return 1 +
         static_cast<std::size_t>(std::count(text.begin(), text.begin() + std::min(offset, text.size()), '\n'));
}

// Checks every node of a tree parsed without expanding references, and
// expands them (pugixml's walk keeps no stack of its own calls, so a deep
// document cannot exhaust it).
class Checker : public pugi::xml_tree_walker {
 public:
  explicit Checker(std::string_view text) : text_(text) {}

  const std::u16string& Reason() const { return reason_; }

  bool for_each(pugi::xml_node& node) override {
    if (node.type() == pugi::node_element) {
      if (node.first_attribute()) reason_ = Attributes(node);
      if (reason_.empty()) reason_ = Expanded(node.value(), node);
    } else if (node.type() == pugi::node_pcdata) {
      reason_ = Expanded(node.value(), node.parent());
    }
    return reason_.empty();
  }

 private:
  std::u16string Expanded(const char* text, pugi::xml_node element) const {
    // Read before its references are expanded: ]]&gt; may stand in a text.
    if (const char* end = std::strstr(text, "]]>"); end != nullptr) {
      const auto offset = static_cast<std::size_t>(end - text_.data());
      return u"文字データに ]]> があります (行 " + Number(LineAt(text_, offset)) + u")" + Where(element);
    }
    std::u16string reason = ExpandReferences(Writable(text));
    if (!reason.empty()) reason += Where(element);
    return reason;
  }

  std::u16string Attributes(pugi::xml_node element) {
    names_.clear();
    for (pugi::xml_attribute attribute = element.first_attribute(); attribute;
         attribute = attribute.next_attribute()) {
      if (std::strchr(attribute.value(), '<') != nullptr) {
        return u"属性の値に < があります" + Where(element, attribute);
      }
      if (std::u16string reason = ExpandReferences(Writable(attribute.value())); !reason.empty()) {
        return reason + Where(element, attribute);
      }
      names_.emplace_back(attribute.name());
    }
    // Sorted rather than compared pairwise, so that an element with very
    // many attributes cannot take quadratic time.
    std::sort(names_.begin(), names_.end());
    const auto duplicate = std::adjacent_find(names_.begin(), names_.end());
    if (duplicate != names_.end()) {
      return u"属性 " + Utf8ToUtf16(*duplicate) + u" が重複しています" + Where(element);
    }
    return {};
  }

  std::string_view text_;  // the parsed buffer, for lines
  std::u16string reason_;
  std::vector<std::string_view> names_;  // kept between elements to spare allocations
};

// pugixml takes text outside the root element and a second root element
// without complaint; parsed as a fragment, they show up as children of the
// document. Entities declared in the DOCTYPE would be left unexpanded, as
// pugixml does not read declarations.
std::u16string CheckTopLevel(const pugi::xml_document& document, std::string_view text) {
  int roots = 0;
  for (pugi::xml_node node = document.first_child(); node; node = node.next_sibling()) {
    switch (node.type()) {
      case pugi::node_pcdata:
      case pugi::node_cdata:
        return u"ルート要素の外に文字があります";
      case pugi::node_element:
        ++roots;
        break;
      case pugi::node_doctype:
        if (std::strstr(node.value(), "<!ENTITY") != nullptr) return u"DOCTYPE で宣言された実体は読めません";
        break;
      case pugi::node_declaration:
        // pugixml refuses one inside an element, but not one after the root.
        if (node != document.first_child()) {
          const auto offset = static_cast<std::size_t>(node.name() - text.data());
          return u"XML 宣言が文書の先頭にありません (行 " + Number(LineAt(text, offset)) + u")";
        }
        break;
      default:
        break;
    }
  }
  return roots == 1 ? u"" : u"ルート要素がひとつではありません";
}

std::u16string TextFault(std::string_view text, const XmlTextScan& scan) {
  const std::u16string line = u" (行 " + Number(LineAt(text, scan.offset)) + u")";
  switch (scan.fault) {
    case XmlTextFault::ForbiddenCharacter: {
      if (text[scan.offset] == '\0') return u"NUL 文字があります" + line;
      char code[8];
      const auto c = static_cast<unsigned char>(text[scan.offset]);
      std::snprintf(code, sizeof code, "U+%04X",
                    c < 0x20                          ? c
                    : text[scan.offset + 2] == '\xBE' ? 0xFFFE
                                                      : 0xFFFF);
      return u"XML で使えない文字 " + Utf8ToUtf16(code) + u" があります" + line;
    }
    case XmlTextFault::DoubleHyphenInComment:
      return u"コメントの中に -- があります" + line;
    case XmlTextFault::None:
      break;
  }
  return {};
}

}  // namespace

std::u16string ParseXmlStrictly(std::string& text, pugi::xml_document& document) {
  // What XML forbids wherever it stands: pugixml would end a text at a
  // NUL unseen, and take the rest as text.
  const XmlTextScan scan = ScanXmlText(text);
  if (scan.fault != XmlTextFault::None) return kNotWellFormed + TextFault(text, scan);
  // The usual document is seen to be plain before pugixml parses it, which
  // costs a fraction of a check of every node.
  const bool plain = !scan.strayCdataEnd && LooksPlain(text);
  // pugixml gives up the buffer's last character to its end marker, so it
  // gets one to spare.
  text.push_back('\0');
  const pugi::xml_parse_result parsed = document.load_buffer_inplace(
      text.data(), text.size(), plain ? kParseFlags : kUnexpandedParseFlags, pugi::encoding_utf8);
  if (!parsed) {
    const auto offset = static_cast<std::size_t>(parsed.offset);
    return kNotWellFormed + Utf8ToUtf16(parsed.description()) + u" (行 " + Number(LineAt(text, offset)) + u")";
  }
  if (std::u16string reason = CheckTopLevel(document, text); !reason.empty()) return kNotWellFormed + reason;
  if (plain) return {};
  Checker checker(text);
  document.traverse(checker);
  if (!checker.Reason().empty()) return kNotWellFormed + checker.Reason();
  return {};
}

}  // namespace pointimport::outside::lapfile::xml

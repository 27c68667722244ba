#include "outside/xml_quick_scan.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "outside/xml_references.h"
#include "outside/xml_space.h"

namespace pointimport::outside {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// Looked up, as every character of every tag and attribute name is.
constexpr auto kEndsName = [] {
  std::array<bool, 256> ends{};
  for (const char c : {' ', '\t', '\r', '\n', '<', '>', '/', '=', '"', '\''}) {
    ends[static_cast<unsigned char>(c)] = true;
  }
  return ends;
}();

bool EndsName(char c) { return kEndsName[static_cast<unsigned char>(c)]; }

std::size_t Find(std::string_view text, char c, std::size_t from) {
  if (from >= text.size()) return npos;
  const void* found = std::memchr(text.data() + from, c, text.size() - from);
  return found == nullptr ? npos : static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
}

// The last < in [from, to), or npos.
std::size_t FindLastOpen(std::string_view text, std::size_t from, std::size_t to) {
  if (from >= to) return npos;
  const void* found = ::memrchr(text.data() + from, '<', to - from);
  return found == nullptr ? npos : static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
}

// Every & begins a reference that XML has. An & in a comment or a CDATA
// section needs none, but documents rarely hold one.
bool EveryReferenceAllowed(std::string_view text) {
  for (std::size_t at = Find(text, '&', 0); at != npos; at = Find(text, '&', at + 1)) {
    if (AllowedReferenceLength(text.substr(at)) == 0) return false;
  }
  return true;
}

// Reads the start tag at open, quote by quote: where it ends, or nothing
// when one of its attribute values holds a <, an attribute comes twice, or
// anything is unusual. A start tag has no < but the one it begins with,
// outside its values, so a read that would run on into the next tag stops.
std::optional<std::size_t> ReadStartTag(std::string_view text, std::size_t open,
                                        std::vector<std::string_view>& names) {
  std::size_t at = open + 1;
  while (at < text.size() && !EndsName(text[at])) ++at;
  names.clear();
  for (;;) {
    while (at < text.size() && IsXmlSpace(text[at])) ++at;
    if (at >= text.size()) return std::nullopt;
    if (text[at] == '>') break;
    if (text[at] == '/') {
      if (at + 1 >= text.size() || text[at + 1] != '>') return std::nullopt;
      ++at;
      break;
    }
    const std::size_t nameBegin = at;
    while (at < text.size() && !EndsName(text[at])) ++at;
    if (at == nameBegin) return std::nullopt;
    names.push_back(text.substr(nameBegin, at - nameBegin));
    while (at < text.size() && IsXmlSpace(text[at])) ++at;
    if (at >= text.size() || text[at] != '=') return std::nullopt;
    ++at;
    while (at < text.size() && IsXmlSpace(text[at])) ++at;
    if (at >= text.size() || (text[at] != '"' && text[at] != '\'')) return std::nullopt;
    // Values are short: read in place rather than searched twice.
    const char quote = text[at];
    for (++at; at < text.size() && text[at] != quote; ++at) {
      if (text[at] == '<') return std::nullopt;
    }
    if (at >= text.size()) return std::nullopt;
    ++at;
  }
  // Most tags have one attribute, which cannot come twice.
  if (names.size() > 1) {
    std::sort(names.begin(), names.end());
    if (std::adjacent_find(names.begin(), names.end()) != names.end()) return std::nullopt;
  }
  return at + 1;
}

// Every attribute has an =, so only the tags around the ='s are read. The
// nearest < before an attribute's = is its own tag's: between them stand
// only the tag's name, its other attributes and their values, and a < in a
// value is caught when that value's own = is read. An = after the opening
// of a comment, a CDATA section, a processing instruction or a DOCTYPE, or
// after a whole end tag, with no < in between, is in no start tag. Each
// stretch of the text is looked at once.
bool EveryStartTagPlain(std::string_view text) {
  std::vector<std::string_view> names;  // of one start tag's attributes
  std::size_t readUpTo = 0;             // no start tag begins before it unread
  // The search goes on from the end of what was read: an = inside it was
  // read with its tag.
  for (std::size_t equals = Find(text, '=', 0); equals != npos;
       equals = Find(text, '=', std::max(equals + 1, readUpTo))) {
    const std::size_t open = FindLastOpen(text, readUpTo, equals);
    const char kind = open == npos || open + 1 == text.size() ? '\0' : text[open + 1];
    if (kind == '/' && std::memchr(text.data() + open, '>', equals - open) == nullptr) return false;
    if (open == npos || kind == '/' || kind == '!' || kind == '?') {
      readUpTo = equals + 1;
      continue;
    }
    const std::optional<std::size_t> end = ReadStartTag(text, open, names);
    if (!end) return false;
    readUpTo = *end;
  }
  return true;
}

// Sixteen bytes, compared lane by lane: the compiler's vectors, which are
// the processor's (SSE2, NEON) wherever it has them.
using Lanes = unsigned char __attribute__((vector_size(16)));

bool AnyLane(Lanes flags) {
  std::uint64_t halves[2];
  std::memcpy(halves, &flags, sizeof halves);
  return (halves[0] | halves[1]) != 0;
}

// The bytes that may begin a fault: a control character other than tab,
// LF and CR; 0xEF, the lead of U+FFFE and U+FFFF; and the ! of <!-- and
// <![CDATA[, the ? of <?xml and the ] of ]]>.
bool MayBeginFault(const char* sixteen) {
  Lanes v;
  std::memcpy(&v, sixteen, sizeof v);
  const auto control = (v < 0x20) & ~((v == '\t') | (v == '\n') | (v == '\r'));
  return AnyLane(Lanes(control | (v == 0xEF) | (v == '!') | (v == '?') | (v == ']')));
}

bool IsForbiddenCharacterAt(std::string_view text, std::size_t at) {
  const auto c = static_cast<unsigned char>(text[at]);
  if (c < 0x20) return c != '\t' && c != '\n' && c != '\r';
  // U+FFFE and U+FFFF: EF BF BE and EF BF BF.
  return c == 0xEF && text.substr(at + 1).starts_with('\xBF') && at + 2 < text.size() &&
         (text[at + 2] == '\xBE' || text[at + 2] == '\xBF');
}

bool IsXmlTarget(std::string_view text, std::size_t question) {
  if (question == 0 || text[question - 1] != '<' || text.size() - question < 5) return false;
  const std::string_view target = text.substr(question + 1, 3);
  const auto lower = [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c); };
  return lower(target[0]) == 'x' && lower(target[1]) == 'm' && lower(target[2]) == 'l' &&
         (IsXmlSpace(text[question + 4]) || text[question + 4] == '?');
}

// Follows the text from one byte that may begin a fault to the next.
class TextScanner {
 public:
  explicit TextScanner(std::string_view text) : text_(text) {}

  const XmlTextScan& Result() const { return scan_; }

  // False once a fault is found.
  bool Look(std::size_t at) {
    if (IsForbiddenCharacterAt(text_, at)) return Fault(XmlTextFault::ForbiddenCharacter, at);
    if (at < quietUntil_) return true;  // inside a comment or a CDATA section
    switch (text_[at]) {
      case '!':
        return at > 0 && text_[at - 1] == '<' ? Markup(at) : true;
      case '?':
        if (IsXmlTarget(text_, at) && !std::all_of(text_.begin(), text_.begin() + at - 1, IsXmlSpace)) {
          return Fault(XmlTextFault::DeclarationNotAtStart, at - 1);
        }
        return true;
      case ']':
        scan_.strayCdataEnd = scan_.strayCdataEnd || text_.substr(at, 3) == "]]>";
        return true;
      default:
        return true;
    }
  }

 private:
  bool Fault(XmlTextFault fault, std::size_t at) {
    scan_.fault = fault;
    scan_.offset = at;
    return false;
  }

  // A comment or a CDATA section is passed over to its end, which is
  // searched for once; its characters are still looked at. One cut short
  // is left to the parser.
  bool Markup(std::size_t bang) {
    const std::string_view rest = text_.substr(bang + 1);
    if (rest.starts_with("--")) {
      const std::size_t hyphens = text_.find("--", bang + 3);
      if (hyphens == npos) return true;
      if (hyphens + 2 >= text_.size() || text_[hyphens + 2] != '>') {
        return Fault(XmlTextFault::DoubleHyphenInComment, hyphens);
      }
      quietUntil_ = hyphens + 3;
    } else if (rest.starts_with("[CDATA[")) {
      const std::size_t end = text_.find("]]>", bang + 8);
      quietUntil_ = end == npos ? text_.size() : end + 3;
    }
    return true;
  }

  std::string_view text_;
  XmlTextScan scan_;
  std::size_t quietUntil_ = 0;
};

}  // namespace

XmlTextScan ScanXmlText(std::string_view text) {
  TextScanner scanner(text);
  std::size_t at = 0;
  for (; at + 16 <= text.size(); at += 16) {
    if (!MayBeginFault(text.data() + at)) continue;
    for (std::size_t k = at; k < at + 16; ++k) {
      if (!scanner.Look(k)) return scanner.Result();
    }
  }
  for (; at < text.size(); ++at) {
    if (!scanner.Look(at)) return scanner.Result();
  }
  return scanner.Result();
}

bool LooksPlain(std::string_view text) { return EveryReferenceAllowed(text) && EveryStartTagPlain(text); }

}  // namespace pointimport::outside

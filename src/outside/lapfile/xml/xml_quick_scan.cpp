#include "outside/lapfile/xml/xml_quick_scan.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "outside/lapfile/xml/xml_references.h"
#include "outside/lapfile/xml/xml_space.h"

namespace pointimport::outside::lapfile::xml {

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
  // The search goes backwards from the =, so it reads only as far as the
  // tag's own <, a few bytes in the usual document.
  const std::size_t found = text.substr(from, to - from).rfind('<');
  return found == npos ? npos : from + found;
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

// The lanes holding a control character other than tab, LF and CR: below
// 0x20, and neither 0x0A nor, with bit 2 set, 0x0D (which is 0x09 or 0x0D).
Lanes ControlLanes(const char* sixteen) {
  Lanes v;
  std::memcpy(&v, sixteen, sizeof v);
  return Lanes((v & 0xE0) == 0) & ~Lanes(((v | 4) == 0x0D) | (v == '\n'));
}

bool AnyLane(Lanes flags) {
  std::uint64_t halves[2];
  std::memcpy(halves, &flags, sizeof halves);
  return (halves[0] | halves[1]) != 0;
}

bool IsControl(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 && c != '\t' && c != '\n' && c != '\r';
}

// Sixty-four bytes a step, flags gathered before they are tested: in the
// usual document no step holds one.
std::size_t FirstControl(std::string_view text) {
  std::size_t at = 0;
  for (; at + 64 <= text.size(); at += 64) {
    const char* const block = text.data() + at;
    if (!AnyLane(ControlLanes(block) | ControlLanes(block + 16) | ControlLanes(block + 32) |
                 ControlLanes(block + 48))) {
      continue;
    }
    for (std::size_t k = at; k < at + 64; ++k) {
      if (IsControl(text[k])) return k;
    }
  }
  for (; at < text.size(); ++at) {
    if (IsControl(text[at])) return at;
  }
  return npos;
}

// U+FFFE and U+FFFF: EF BF BE and EF BF BF.
std::size_t FirstNonCharacter(std::string_view text) {
  for (std::size_t at = Find(text, '\xEF', 0); at != npos; at = Find(text, '\xEF', at + 1)) {
    if (text.substr(at + 1, 2) == "\xBF\xBE" || text.substr(at + 1, 2) == "\xBF\xBF") return at;
  }
  return npos;
}

struct Stretch {
  std::size_t begin;
  std::size_t end;
};

// The comments and CDATA sections, each from its <! to the end of its
// close, searched for from the ! of each; one cut short is left to the
// parser. The fault is set at -- inside a comment.
std::vector<Stretch> CommentsAndSections(std::string_view text, XmlTextScan& scan) {
  std::vector<Stretch> stretches;
  for (std::size_t bang = Find(text, '!', 0); bang != npos; bang = Find(text, '!', bang + 1)) {
    if (bang == 0 || text[bang - 1] != '<' || (!stretches.empty() && bang < stretches.back().end)) continue;
    const std::string_view rest = text.substr(bang + 1);
    if (rest.starts_with("--")) {
      const std::size_t hyphens = text.find("--", bang + 3);
      if (hyphens == npos) break;
      if (hyphens + 2 >= text.size() || text[hyphens + 2] != '>') {
        scan.fault = XmlTextFault::DoubleHyphenInComment;
        scan.offset = hyphens;
        break;
      }
      stretches.push_back({bang - 1, hyphens + 3});
    } else if (rest.starts_with("[CDATA[")) {
      const std::size_t end = text.find("]]>", bang + 8);
      if (end == npos) break;
      stretches.push_back({bang - 1, end + 3});
    }
  }
  return stretches;
}

// ]]> that closes no CDATA section and stands in no comment.
bool HasStrayCdataEnd(std::string_view text, const std::vector<Stretch>& stretches) {
  auto next = stretches.begin();
  for (std::size_t at = Find(text, ']', 0); at != npos; at = Find(text, ']', at + 1)) {
    while (next != stretches.end() && next->end <= at) ++next;
    const bool inside = next != stretches.end() && next->begin <= at;
    if (!inside && text.substr(at, 3) == "]]>") return true;
  }
  return false;
}

}  // namespace

XmlTextScan ScanXmlText(std::string_view text) {
  XmlTextScan scan;
  if (const std::size_t control = FirstControl(text); control != npos) {
    return {XmlTextFault::ForbiddenCharacter, control, false};
  }
  if (const std::size_t nonCharacter = FirstNonCharacter(text); nonCharacter != npos) {
    return {XmlTextFault::ForbiddenCharacter, nonCharacter, false};
  }
  const std::vector<Stretch> stretches = CommentsAndSections(text, scan);
  if (scan.fault == XmlTextFault::None) scan.strayCdataEnd = HasStrayCdataEnd(text, stretches);
  return scan;
}

bool LooksPlain(std::string_view text) { return EveryReferenceAllowed(text) && EveryStartTagPlain(text); }

}  // namespace pointimport::outside::lapfile::xml

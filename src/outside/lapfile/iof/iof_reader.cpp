#include "outside/lapfile/iof/iof_reader.h"

#include <pugixml.hpp>
#include <string_view>

#include "convert/ascii_case.h"
#include "convert/utf.h"
#include "outside/lapfile/iof/iof_result_walk.h"
#include "outside/lapfile/iof/iof_xml.h"
#include "outside/lapfile/lap_event_from_list.h"
#include "outside/lapfile/value_bound.h"
#include "outside/lapfile/xml/strict_xml.h"
#include "outside/lapfile/xml/xml_encoding.h"
#include "outside/lapfile/xml/xml_space.h"

namespace pointimport::outside::lapfile::iof {

using convert::Utf8ToUtf16;

namespace {

enum class IofVersion { Unknown, V3, V2 };

// The schema names the http:// form; the standard's own pages give https://.
constexpr std::string_view kIof3Namespaces[] = {
    "http://www.orienteering.org/datastandard/3.0",
    "https://www.orienteering.org/datastandard/3.0",
};

IofVersion VersionOf(pugi::xml_node root) {
  if (LocalName(root) != "ResultList") return IofVersion::Unknown;
  const std::string_view ns = NamespaceUri(root);
  for (const std::string_view iof3 : kIof3Namespaces) {
    if (ns == iof3) return IofVersion::V3;
  }
  if (!ns.empty()) return IofVersion::Unknown;
  // 2.0.3 has no namespace; a 3.0 document that lost its namespace still
  // carries the required iofVersion attribute.
  if (xml::TrimXmlSpace(root.attribute("iofVersion").value()).starts_with("3")) return IofVersion::V3;
  return IofVersion::V2;
}

LapLoadResult Failure(LapLoadStatus status, std::u16string reason) { return {status, std::move(reason), {}}; }

LapLoadStatus DecodeFailure(xml::XmlDecodeStatus status) {
  return status == xml::XmlDecodeStatus::UnknownEncoding ? LapLoadStatus::UnknownEncoding
                                                         : LapLoadStatus::InvalidBytes;
}

}  // namespace

bool LooksLikeXml(std::string_view bytes) {
  // A UTF-16 mark, then the code unit of < (little- or big-endian); else
  // after a UTF-8 mark, if any, and white space.
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    const std::size_t low = bytes[0] == '\xFF' ? 0 : 1;
    for (std::size_t at = 2; at + 1 < bytes.size(); at += 2) {
      if (bytes[at + 1 - low] != '\0') return false;
      const char c = bytes[at + low];
      if (c == '<') return true;
      if (!xml::IsXmlSpace(c)) return false;
    }
    return false;
  }
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  return xml::TrimXmlSpace(bytes).starts_with('<');
}

LapLoadResult ReadIofResultList(std::string bytes, const std::u16string& fileNameKeyword) {
  xml::XmlDecodeResult decoded = xml::DecodeXmlDocument(std::move(bytes));
  if (decoded.status != xml::XmlDecodeStatus::Decoded)
    return Failure(DecodeFailure(decoded.status), decoded.reason);
  pugi::xml_document document;
  if (std::u16string reason = xml::ParseXmlStrictly(decoded.utf8, document); !reason.empty()) {
    return Failure(LapLoadStatus::NotWellFormed, std::move(reason));
  }

  const pugi::xml_node root = document.document_element();
  const std::string_view listStatus = xml::TrimXmlSpace(root.attribute("status").value());
  const IofVersion version = VersionOf(root);
  // Both versions mark a list of changes, each in its own spelling, and
  // files are written in either: a list of changes taken for a complete one
  // would replace the whole event with a part of it.
  if (version != IofVersion::Unknown && convert::EqualsIgnoringAsciiCase(listStatus, "delta")) {
    return Failure(
        LapLoadStatus::OnlyChanges,
        u"差分の結果リスト (status=\"" + Utf8ToUtf16(std::string(listStatus)) +
            u"\") です: "
            u"前のリストから変わった結果しか含まないので、大会の結果をこれで置き換えることはできません");
  }
  const bool provisional = convert::EqualsIgnoringAsciiCase(listStatus, "snapshot");
  if (version == IofVersion::Unknown) {
    return Failure(LapLoadStatus::NotAResultList, u"IOF XML の結果リストではありません (ルート要素 " +
                                                      Utf8ToUtf16(std::string(LocalName(root))) + u")");
  }
  ResultList list = ReadIofResultListElement(root, version == IofVersion::V3 ? kIof3Names : kIof2Names);
  if (std::u16string reason = FirstOverlongValue(list); !reason.empty()) {
    return Failure(LapLoadStatus::OverlongValue, std::move(reason));
  }
  list.provisional = provisional;
  return {LapLoadStatus::Loaded, {}, MakeLapEvent(std::move(list), fileNameKeyword)};
}

}  // namespace pointimport::outside::lapfile::iof

#include "support/iof_writer.h"

#include <sstream>

#include "support/temp_dir.h"

namespace pointimport::test_support {

std::string XmlEscape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string IofResultListXml(const IofEvent& event) {
  std::ostringstream xml;
  xml << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<ResultList xmlns=\"http://www.orienteering.org/datastandard/3.0\" iofVersion=\"3.0\" "
         "status=\"Complete\">\n"
      << "  <Event><Id>" << XmlEscape(event.id) << "</Id><Name>" << XmlEscape(event.name)
      << "</Name><StartTime><Date>" << event.date << "</Date></StartTime></Event>\n";
  for (const auto& iofClass : event.classes) {
    xml << "  <ClassResult><Class><Name>" << XmlEscape(iofClass.name) << "</Name></Class>\n";
    for (const auto& person : iofClass.persons) {
      xml << "    <PersonResult><Person";
      if (!person.sex.empty()) xml << " sex=\"" << person.sex << "\"";
      xml << "><Name><Family>" << XmlEscape(person.family) << "</Family><Given>" << XmlEscape(person.given)
          << "</Given></Name></Person>";
      if (!person.club.empty())
        xml << "<Organisation><Name>" << XmlEscape(person.club) << "</Name></Organisation>";
      xml << "<Result>";
      if (person.seconds) xml << "<Time>" << *person.seconds << "</Time>";
      if (person.position) xml << "<Position>" << *person.position << "</Position>";
      xml << "<Status>" << person.status << "</Status></Result></PersonResult>\n";
    }
    xml << "  </ClassResult>\n";
  }
  xml << "</ResultList>\n";
  return xml.str();
}

void WriteIofFile(const std::filesystem::path& path, const IofEvent& event) {
  WriteFileBytes(path, IofResultListXml(event));
}

}  // namespace pointimport::test_support

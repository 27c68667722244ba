#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace pointimport::test_support {

// A small IOF XML 3.0 result list, written for tests. Texts are UTF-8 and
// are escaped as XML requires.
struct IofPerson {
  std::string family;
  std::string given;
  std::string club;
  std::string sex;  // "M", "F" or empty
  std::string status = "OK";
  std::optional<double> seconds;  // Result/Time
  std::optional<int> position;    // Result/Position
};

struct IofClass {
  std::string name;
  std::vector<IofPerson> persons;
};

struct IofEvent {
  std::string id = "E1";
  std::string name = "テスト大会";
  std::string date = "2024-05-12";
  std::vector<IofClass> classes;
};

std::string IofResultListXml(const IofEvent& event);
void WriteIofFile(const std::filesystem::path& path, const IofEvent& event);

// Escapes &, <, >, " and ' for text and attribute values.
std::string XmlEscape(const std::string& text);

}  // namespace pointimport::test_support

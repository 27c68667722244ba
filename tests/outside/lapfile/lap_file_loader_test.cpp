#include "outside/lapfile/lap_file_loader.h"

#include <gtest/gtest.h>

#include "convert/utf.h"

namespace pointimport::outside::lapfile {
namespace {

using namespace std::string_literals;

// The content decides first, the file's extension second.
TEST(ReadLapFileBytes, ReadsEachFileInTheFormatThatClaimsIt) {
  const std::string result = "<ResultList iofVersion='3.0'><Event><Id>E</Id></Event></ResultList>";
  const struct {
    std::string bytes;
    const char16_t* extension;
    LapLoadStatus status;
  } cases[] = {
      {result, u".xml", LapLoadStatus::Loaded},
      {"\xEF\xBB\xBF \r\n" + result, u".txt", LapLoadStatus::Loaded},
      {"\xFF\xFE\n\0<\0R\0/\0>\0"s, u"", LapLoadStatus::NotAResultList},
      {"\xFE\xFF\0\t\0<\0R\0/\0>"s, u".csv", LapLoadStatus::NotAResultList},
      {"Name;Time\nWood;33:21\n", u".XML", LapLoadStatus::NotWellFormed},
      {"", u".Xml", LapLoadStatus::NotWellFormed},
      {"Name;Time\nWood;33:21\n", u".txt", LapLoadStatus::UnknownFormat},
      {"Name;Time\nWood;33:21\n", u".csv", LapLoadStatus::NotAResultList},
      {"Surname;First name;Time;Classifier;Short\nWood;Ann;33:21;0;W21\n", u".txt", LapLoadStatus::Loaded},
      {"\xFF\xFE"
       "N\0a\0m\0e\0"s,
       u"", LapLoadStatus::UnknownFormat},
  };
  for (const auto& c : cases) {
    const LapLoadResult loaded = ReadLapFileBytes(c.bytes, c.extension, u"k");
    EXPECT_EQ(loaded.status, c.status) << c.bytes;
    if (c.status == LapLoadStatus::UnknownFormat) {
      EXPECT_EQ(loaded.reason,
                u"読める形式のファイルではありません: 読めるのは IOF XML 結果ファイル (*.xml)、CSV "
                u"結果ファイル (*.csv) です");
    }
  }
}

}  // namespace
}  // namespace pointimport::outside::lapfile

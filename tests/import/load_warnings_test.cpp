// What the operator hears of a file as soon as it is loaded.
#include "import/load_warnings.h"

#include <gtest/gtest.h>

#include "convert/date_number.h"
#include "convert/utf.h"
#include "import/loaded_event.h"
#include "outside/lapfile/lap_file_component.h"

namespace pointimport::import {
namespace {

using convert::Variant;

TEST(LoadWarnings, OneSentenceForEachThingToKnow) {
  LoadedEvent sound;
  sound.eventDate = Variant::Date(convert::DayNumber(2024, 5, 12));
  sound.rows = {{u"M21", u"山田太郎", u"0:40:00"}};
  const struct {
    void (*change)(LoadedEvent&);
    std::vector<std::u16string> warnings;
  } cases[] = {
      {[](LoadedEvent&) {}, {}},
      {[](LoadedEvent& e) { e.rows.clear(); },
       {u"結果が一つもありません。取り込むと、この大会の結果はなくなります。"}},
      {[](LoadedEvent& e) { e.runnersWithoutName = 2; },
       {u"名前のない選手が 2 名います。一人の選手として取り込まれます。"}},
      {[](LoadedEvent& e) { e.provisional = true; }, {u"速報です。結果はまだ確定していません。"}},
      {[](LoadedEvent& e) { e.otherRaceResults = 3; },
       {u"ほかのレースの結果 3 件は取り込みません (第 1 レースのみ取り込みます)。"}},
      {[](LoadedEvent& e) { e.eventDate = Variant::Null(); }, {u"大会の日付がありません。"}},
  };
  for (const auto& c : cases) {
    LoadedEvent loaded = sound;
    c.change(loaded);
    EXPECT_EQ(LoadWarnings(loaded), c.warnings);
  }
}

// A multi-race list: the later races' results are counted, not read.
TEST(LoadWarnings, CountsTheResultsOfLaterRaces) {
  outside::lapfile::LapFileComponent component;
  ASSERT_EQ(component.FileControl()->LoadLapFile(
                convert::Utf8ToUtf16(std::string(POINTIMPORT_TEST_DATA_DIR) + "/iof/ResultList3.xml")),
            Variant(true));
  const LoadedEvent loaded = ReadLoadedEvent(component);
  EXPECT_EQ(loaded.otherRaceResults, 2);
  EXPECT_FALSE(loaded.rows.empty());
}

}  // namespace
}  // namespace pointimport::import

// What an import would replace or store twice, looked up before it runs.
#include "import/replace_check.h"

#include <gtest/gtest.h>

#include "convert/date_number.h"
#include "import/loaded_event.h"
#include "support/import_fixture.h"

namespace pointimport::test_support {
namespace {

using convert::Variant;

// Up to four runners of one class; timeDiffers moves the winner by a second.
FakeEvent Event(const std::u16string& keyword, const std::u16string& name, int day, int runners,
                bool timeDiffers = false) {
  FakeEvent event;
  event.fileName = Variant(keyword);
  event.eventName = Variant(name);
  event.eventDate = day == 0 ? Variant::Null() : Variant::Date(convert::DayNumber(2024, 5, day));
  const std::u16string names[] = {u"山田 太郎", u"鈴木 一郎", u"佐藤 次郎", u"高橋 三郎"};
  const std::u16string times[] = {timeDiffers ? u"0:40:01" : u"0:40:00", u"0:41:00", u"0:42:00", u"0:43:00"};
  FakeClass m21{u"M21", {}};
  for (int i = 0; i < runners; ++i)
    m21.results.push_back(Runner(names[i], Variant(std::int32_t{i + 1}), times[i]));
  event.classes.push_back(m21);
  return event;
}

class ReplaceCheck : public ImportTest {};

// Stored: E1, "春の大会" on 2024/05/12 with four result rows.
TEST_F(ReplaceCheck, NamesWhatWouldBeReplacedOrStoredTwice) {
  Import(Event(u"E1", u"春の大会", 12, 4));
  const std::u16string replaces = u"キーワード「E1」で取り込み済みの大会を、このファイルで置き換えます。";
  const std::u16string twice =
      u"同じ大会がキーワード「E1」で取り込み済みです。取り込むと大会が二つになり、ポイントが二重に数えられます"
      u"。";
  const struct {
    const char* what;
    FakeEvent file;
    std::u16string firstLine;  // empty: nothing to ask
  } cases[] = {
      {"the same file again", Event(u"E1", u"春の大会", 12, 4), u""},
      {"half the rows", Event(u"E1", u"春の大会", 12, 2), u""},
      {"another name", Event(u"E1", u"秋の大会", 12, 4), replaces},
      {"another date", Event(u"E1", u"春の大会", 13, 4), replaces},
      {"no date", Event(u"E1", u"春の大会", 0, 4), replaces},
      {"fewer than half the rows", Event(u"E1", u"春の大会", 12, 1), replaces},
      {"no rows", Event(u"E1", u"春の大会", 12, 0), replaces},
      {"another event", Event(u"E2", u"秋の大会", 13, 3), u""},
      {"same name and date, other times", Event(u"E2", u"春の大会", 12, 4, true), twice},
      {"same rows, no name or date", Event(u"E2", u"", 0, 4), twice},
      {"no name or date, one time differs", Event(u"E2", u"", 0, 4, true), u""},
      {"same rows, another name", Event(u"E2", u"春の大会 (1)", 12, 4), twice},
  };
  for (const auto& c : cases) {
    FakeLapComponent component(c.file);
    const auto lines = import::SurprisingReplacement(*connection_, import::ReadLoadedEvent(component));
    EXPECT_EQ(lines.empty() ? u"" : lines.front(), c.firstLine) << c.what;
  }
  FakeLapComponent renamed(Event(u"E1", u"秋の大会", 13, 1));
  const auto lines = import::SurprisingReplacement(*connection_, import::ReadLoadedEvent(renamed));
  ASSERT_EQ(lines.size(), std::size_t{3});
  EXPECT_EQ(lines[1], u"取り込み済み: 春の大会・2024/05/12・結果 4 行");
  EXPECT_EQ(lines[2], u"このファイル: 秋の大会・2024/05/13・結果 1 行");
}

}  // namespace
}  // namespace pointimport::test_support

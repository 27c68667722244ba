#include "import/failure_lines.h"

#include <gtest/gtest.h>

#include "convert/number_text.h"
#include "support/fake_lap_component.h"

namespace pointimport::import {
namespace {

using convert::Variant;

FailureLines Lines(int count) {
  FailureLines lines;
  for (int i = 1; i <= count; ++i) lines.push_back(u"[RESULT更新失敗] M21 走者" + convert::FormatInteger(i));
  return lines;
}

TEST(CompletionMessage, ShowsTheFailedRowsUpToTwenty) {
  EXPECT_EQ(CompletionMessage({}), u"取り込みました");
  EXPECT_EQ(CompletionMessage(Lines(3)),
            u"取り込みました\n\n書き込めなかった行: 3 件\n[RESULT更新失敗] M21 走者1\n"
            u"[RESULT更新失敗] M21 走者2\n[RESULT更新失敗] M21 走者3");
  const std::u16string many = CompletionMessage(Lines(25));
  EXPECT_EQ(many.substr(0, many.find(u"\n[")), u"取り込みました\n\n書き込めなかった行: 25 件");
  EXPECT_NE(many.find(u"走者20\nほか 5 件"), std::u16string::npos);
  EXPECT_EQ(many.find(u"走者21"), std::u16string::npos);
  EXPECT_EQ(many.substr(many.size() - 6), u"ほか 5 件");
}

TEST(AddFailureLine, NamesTheClassOfTheComponentAndTheRunner) {
  test_support::FakeResult named{Variant(u"0:30:00"), Variant(1),   Variant(u"山田 太郎"),
                                 Variant(u""),        Variant(u""), Variant(u"別名")};
  test_support::FakeResult nameless = named;
  nameless.runnerName = Variant::Null();
  test_support::FakeEvent event;
  event.classes = {{u"M21", {named, nameless}}};
  test_support::FakeLapComponent withResults(event);
  auto results = withResults.NewResultsHolder();
  results->AddClass(1);

  FailureLines lines;
  AddFailureLine(lines, kPersonFailurePrefix, withResults, 1, *results->Item(1));
  AddFailureLine(lines, kPersonFailurePrefix, withResults, 1, *results->Item(2));
  AddFailureLine(lines, kResultFailurePrefix, withResults, 7, *results->Item(1));
  EXPECT_EQ(lines, FailureLines{u"[PERSON更新失敗] M21 山田 太郎"});
}

}  // namespace
}  // namespace pointimport::import

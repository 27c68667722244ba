#include "import/reference_points.h"

#include <gtest/gtest.h>

#include <limits>

#include "convert/runtime_error.h"
#include "support/fake_lap_component.h"

namespace pointimport::import {
namespace {

using convert::Variant;
using test_support::TimeOfDay;

ReferenceTime ReferenceOf(const std::vector<Variant>& times) {
  test_support::FakeClass fakeClass{u"M21", {}};
  for (const auto& time : times) fakeClass.results.push_back({time, Variant(1), Variant(u"走者")});
  test_support::FakeEvent event;
  event.classes = {fakeClass};
  test_support::FakeLapComponent component(event);
  auto results = component.NewResultsHolder();
  results->AddClass(1);
  return CalcReferenceTime(*results);
}

TEST(CalcReferenceTime, IsTheMeanOfTheFirstThreeResults) {
  const ReferenceTime reference = ReferenceOf(
      {Variant(u"0:25:00"), Variant::Date(TimeOfDay(0, 30, 0)), Variant(u"0:35:00"), Variant(u"失格")});
  EXPECT_TRUE(reference.valid);
  EXPECT_EQ(reference.time, ((TimeOfDay(0, 25, 0) + TimeOfDay(0, 30, 0)) + TimeOfDay(0, 35, 0)) / 3.0);
}

TEST(CalcReferenceTime, IsInvalidWithoutThreeReadableNonZeroTimes) {
  using enum ZeroPointReason;
  const struct {
    std::vector<Variant> times;
    ZeroPointReason why;
  } cases[] = {
      {{}, FewerThanThree},
      {{Variant(u"0:30:00"), Variant(u"0:31:00")}, FewerThanThree},
      {{Variant(u"0:30:00"), Variant(u"失格"), Variant(u"0:31:00")}, TopThreeTimeUnknown},
      {{Variant(u"0:30:00"), Variant(u""), Variant(u"0:31:00")}, TopThreeTimeUnknown},
      {{Variant(u"0:00:00"), Variant(u"0:00:00"), Variant(u"0:00:00")}, ReferenceZero},
      // Full-width times are not folded for the reference.
      {{Variant(u"０：３０：００"), Variant(u"0:30:00"), Variant(u"0:30:00")}, TopThreeTimeUnknown},
      // Numbers are not dates.
      {{Variant(0.02), Variant(0.02), Variant(0.02)}, TopThreeTimeUnknown},
  };
  for (const auto& c : cases) {
    const ReferenceTime reference = ReferenceOf(c.times);
    EXPECT_FALSE(reference.valid) << c.times.size();
    EXPECT_EQ(reference.whyInvalid, c.why) << c.times.size();
  }
}

TEST(CalcPoints, ComparesTheRunnersTimeWithTheReference) {
  using enum ZeroPointReason;
  const ReferenceTime thirtyMinutes{TimeOfDay(0, 30, 0), true};
  const struct {
    ReferenceTime reference;
    Variant rank;
    Variant result;
    double points;
    ZeroPointReason reason;
  } cases[] = {
      {thirtyMinutes, Variant(2), Variant(u"0:40:00"), 75.0, None},
      {thirtyMinutes, Variant(1), Variant(u"0:20:00"), 150.0, None},
      {thirtyMinutes, Variant(u"3"), Variant(u"０：４０：００"), 75.0, None},
      {thirtyMinutes, Variant(), Variant(u"0:40:00"), 75.0, None},
      {thirtyMinutes, Variant(1), Variant::Date(TimeOfDay(0, 40, 0)), 75.0, None},
      {ReferenceTime{}, Variant(1), Variant(u"0:40:00"), 0.0, FewerThanThree},
      {ReferenceTime{0.0, false, ReferenceZero}, Variant(1), Variant(u"0:40:00"), 0.0, ReferenceZero},
      {thirtyMinutes, Variant(u"OP"), Variant(u"0:40:00"), 0.0, RankNotNumeric},
      {thirtyMinutes, Variant(u""), Variant(u"0:40:00"), 0.0, RankNotNumeric},
      {thirtyMinutes, Variant::Null(), Variant(u"0:40:00"), 0.0, RankNotNumeric},
      {thirtyMinutes, Variant(u"(5)"), Variant(u"0:40:00"), 0.0, RankInParentheses},
      {thirtyMinutes, Variant(u"(5"), Variant(u"0:40:00"), 0.0, RankNotNumeric},
      {thirtyMinutes, Variant(1), Variant(u"失格"), 0.0, NoTime},
      {thirtyMinutes, Variant(1), Variant(u"0:00:00"), 0.0, NoTime},
  };
  for (const auto& c : cases) {
    const PointsDecision decision = DecidePoints(c.reference, c.rank, c.result);
    EXPECT_DOUBLE_EQ(decision.points, c.points) << convert::ToText(c.result).size();
    EXPECT_EQ(decision.reason, c.reason) << convert::ToText(c.result).size();
    EXPECT_EQ(CalcPoints(c.reference, c.rank, c.result), decision.points);
  }
}

TEST(CalcPoints, StopsOnAResultThatCannotBecomeText) {
  EXPECT_THROW(CalcPoints({TimeOfDay(0, 30, 0), true}, Variant(1), Variant::Null()), convert::RuntimeError);
  // Nor a rank: a Double's text is made even though no number's holds "(".
  EXPECT_THROW(CalcPoints({TimeOfDay(0, 30, 0), true}, Variant(std::numeric_limits<double>::quiet_NaN()),
                          Variant(u"0:40:00")),
               convert::RuntimeError);
}

}  // namespace
}  // namespace pointimport::import

#pragma once

#include <array>

#include "convert/variant.h"
#include "import/import_report.h"
#include "outside/lap_component.h"

namespace pointimport::import {

// A class's reference time: the mean of its first three results.
struct ReferenceTime {
  double time = 0.0;  // a date number
  bool valid = false;
  // Why it is not valid: the runners' reason for their 0 points.
  ZeroPointReason whyInvalid = ZeroPointReason::FewerThanThree;
};

// The reference time of the class the holder was filled with. Valid only
// when the class has at least three results, the first three all pass the
// date test, and their mean is not exactly 0.
// firstThree, where given, receives the Result values of objects 1 to 3 as
// they were read (left Empty when the class has fewer than three).
ReferenceTime CalcReferenceTime(outside::LapResultsHolder& results,
                                std::array<convert::Variant, 3>* firstThree = nullptr);

// A runner's points: reference / time * 100, or exactly 0 when the class has
// no valid reference, the rank is not a number or holds "(", or the time
// cannot be read.
double CalcPoints(const ReferenceTime& reference, const convert::Variant& rank, const convert::Variant& result);

// The same points, with the test that made them 0.
struct PointsDecision {
  double points = 0.0;
  ZeroPointReason reason = ZeroPointReason::None;
};
PointsDecision DecidePoints(const ReferenceTime& reference, const convert::Variant& rank,
                            const convert::Variant& result);

}  // namespace pointimport::import

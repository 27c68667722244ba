#pragma once

#include "convert/variant.h"
#include "outside/lap_component.h"

namespace pointimport::import {

// A class's reference time: the mean of its first three results.
struct ReferenceTime {
  double time = 0.0;  // a date number
  bool valid = false;
};

// The reference time of the class the holder was filled with. Valid only
// when the class has at least three results, the first three all pass the
// date test, and their mean is not exactly 0.
ReferenceTime CalcReferenceTime(outside::LapResultsHolder& results);

// A runner's points: reference / time * 100, or exactly 0 when the class has
// no valid reference, the rank is not a number or holds "(", or the time
// cannot be read.
double CalcPoints(const ReferenceTime& reference, const convert::Variant& rank,
                  const convert::Variant& result);

}  // namespace pointimport::import

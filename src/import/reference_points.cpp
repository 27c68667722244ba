#include "import/reference_points.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "convert/date_number.h"
#include "convert/long_value.h"
#include "convert/runtime_error.h"
#include "convert/time_value.h"
#include "convert/value_tests.h"

namespace pointimport::import {

using convert::RuntimeError;
using convert::Variant;

namespace {

// Partial sums and the mean are date numbers, so they must stay within the
// date range, as every date does.
double AsDateNumber(double value) {
  if (!convert::IsInDateRange(value)) {
    throw RuntimeError(convert::error_number::kOverflow, u"オーバーフローしました。");
  }
  return value;
}

// Whether the text of a numeric rank holds "(". The text of an integer, a
// Boolean or Empty is digits and a sign, "True", "False" or nothing, so it is
// not made; a Double's is, for the overflow it raises on NaN and the
// infinities.
bool RankInParentheses(const Variant& rank) {
  switch (rank.Kind()) {
    case convert::VariantKind::Integer:
    case convert::VariantKind::Long:
    case convert::VariantKind::Boolean:
    case convert::VariantKind::Empty:
      return false;
    default:
      std::u16string rankText;
      return convert::TextView(rank, rankText).find(u'(') != std::u16string_view::npos;
  }
}

}  // namespace

ReferenceTime CalcReferenceTime(outside::LapResultsHolder& results, std::array<Variant, 3>* firstThree) {
  ReferenceTime reference;
  if (convert::ToLong(results.Count()) < 3) return reference;

  Variant first[3];
  bool allDates = true;
  for (std::int32_t k = 0; k < 3; ++k) {
    first[k] = results.Item(k + 1)->Result();
    allDates = convert::IsDateValue(first[k]) && allDates;  // every one read, even after a failure
  }
  if (firstThree) std::copy(std::begin(first), std::end(first), firstThree->begin());
  if (!allDates) {
    reference.whyInvalid = ZeroPointReason::TopThreeTimeUnknown;
    return reference;
  }

  const double sum =
      AsDateNumber(AsDateNumber(convert::ToDateNumber(first[0]) + convert::ToDateNumber(first[1])) +
                   convert::ToDateNumber(first[2]));
  reference.time = AsDateNumber(sum / 3.0);
  reference.valid = reference.time != 0.0;
  reference.whyInvalid = reference.valid ? ZeroPointReason::None : ZeroPointReason::ReferenceZero;
  return reference;
}

double CalcPoints(const ReferenceTime& reference, const Variant& rank, const Variant& result) {
  return DecidePoints(reference, rank, result).points;
}

PointsDecision DecidePoints(const ReferenceTime& reference, const Variant& rank, const Variant& result) {
  if (!reference.valid) return {0.0, reference.whyInvalid};
  if (!convert::IsNumericValue(rank)) return {0.0, ZeroPointReason::RankNotNumeric};
  if (RankInParentheses(rank)) return {0.0, ZeroPointReason::RankInParentheses};
  std::u16string resultText;
  const double time = convert::ParseTimeValue(convert::TextView(result, resultText), 0.0);
  if (time == 0.0) return {0.0, ZeroPointReason::NoTime};
  const double points = reference.time / time * 100.0;
  if (!std::isfinite(points)) {
    throw RuntimeError(convert::error_number::kOverflow, u"オーバーフローしました。");
  }
  return {points, ZeroPointReason::None};
}

}  // namespace pointimport::import

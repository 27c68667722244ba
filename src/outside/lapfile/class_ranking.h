#pragma once

#include "outside/lapfile/lap_event.h"
#include "outside/lapfile/result_list.h"

namespace pointimport::outside::lapfile {

// Orders the results of one class and gives each its Result and Rank.
//
// First the runners with status OK and a time, by place (equal places keep
// their document order); then the not-competing runners; then everyone
// else, both in document order. The reference time of a class is the mean
// of its first three results, so this order decides it.
//
// The place is the file's own, unless an OK runner with a time lacks one:
// then all of them are ranked by their whole-second times, equal times
// sharing a place and the next place skipping (1, 2, 2, 4).
LapClass RankClassResult(ClassResult classResult);

}  // namespace pointimport::outside::lapfile

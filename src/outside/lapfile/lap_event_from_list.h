#pragma once

#include <string>

#include "outside/lapfile/lap_event.h"
#include "outside/lapfile/result_list.h"

namespace pointimport::outside::lapfile {

// Turns a result list that a reader took from a file into the event the
// component keeps, the same for every format: the keyword is the list's
// event Id, else fileNameKeyword; each class is ranked (class_ranking.h).
LapEvent MakeLapEvent(ResultList list, const std::u16string& fileNameKeyword);

}  // namespace pointimport::outside::lapfile

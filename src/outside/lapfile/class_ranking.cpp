#include "outside/lapfile/class_ranking.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "outside/lapfile/iof_values.h"

namespace pointimport::outside::lapfile {

using convert::Variant;

namespace {

struct Placed {
  PersonResult* result;
  std::int32_t place;
};

const char16_t* StatusText(ResultStatus status) {
  switch (status) {
    case ResultStatus::Disqualified:
      return u"失格";
    case ResultStatus::DidNotFinish:
      return u"途中棄権";
    case ResultStatus::OverTime:
      return u"時間超過";
    case ResultStatus::DidNotStart:
      return u"欠場";
    case ResultStatus::Ok:  // OK without a time: nothing to rank
    case ResultStatus::NotCompeting:
    case ResultStatus::NoResult:
      break;
  }
  return u"記録なし";
}

// Made in place: a runner moved in afterwards would move each of its texts
// and values once more.
void AddRunner(LapClass& lapClass, PersonResult& result, Variant value, Variant rank) {
  LapRunner& runner = lapClass.runners.emplace_back();
  runner.runnerName = std::move(result.runnerName);
  runner.clubName = std::move(result.clubName);
  runner.sex = std::move(result.sex);
  runner.result = std::move(value);
  runner.rank = std::move(rank);
}

std::vector<Placed> PlaceFinishers(std::vector<PersonResult*> finishers) {
  std::vector<Placed> placed;
  placed.reserve(finishers.size());
  const bool filePlaces = std::all_of(finishers.begin(), finishers.end(),
                                      [](const PersonResult* r) { return r->position.has_value(); });
  if (filePlaces) {
    for (PersonResult* result : finishers) placed.push_back({result, *result->position});
  } else {
    std::stable_sort(finishers.begin(), finishers.end(),
                     [](const PersonResult* a, const PersonResult* b) { return *a->seconds < *b->seconds; });
    for (std::size_t i = 0; i < finishers.size(); ++i) {
      const bool tied = i > 0 && *finishers[i]->seconds == *finishers[i - 1]->seconds;
      placed.push_back({finishers[i], tied ? placed.back().place : static_cast<std::int32_t>(i + 1)});
    }
  }
  std::stable_sort(placed.begin(), placed.end(),
                   [](const Placed& a, const Placed& b) { return a.place < b.place; });
  return placed;
}

}  // namespace

LapClass RankClassResult(ClassResult classResult) {
  std::vector<PersonResult*> finishers;
  std::vector<PersonResult*> notCompeting;
  std::vector<PersonResult*> others;
  for (PersonResult& result : classResult.results) {
    if (result.status == ResultStatus::Ok && result.seconds) {
      finishers.push_back(&result);
    } else if (result.status == ResultStatus::NotCompeting) {
      notCompeting.push_back(&result);
    } else {
      others.push_back(&result);
    }
  }

  LapClass lapClass{std::move(classResult.name), {}};
  lapClass.runners.reserve(classResult.results.size());
  for (const Placed& placed : PlaceFinishers(std::move(finishers))) {
    AddRunner(lapClass, *placed.result, Variant(FormatRaceTime(*placed.result->seconds)),
              Variant(placed.place));
  }
  for (PersonResult* result : notCompeting) {
    Variant value = result->seconds ? Variant(FormatRaceTime(*result->seconds)) : Variant(u"OP");
    AddRunner(lapClass, *result, std::move(value), Variant(u"OP"));
  }
  for (PersonResult* result : others) {
    AddRunner(lapClass, *result, Variant(StatusText(result->status)), Variant(u""));
  }
  return lapClass;
}

}  // namespace pointimport::outside::lapfile

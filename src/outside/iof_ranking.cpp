#include "outside/iof_ranking.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "outside/iof_values.h"

namespace pointimport::outside {

using convert::Variant;

namespace {

struct Placed {
  IofPersonResult* result;
  std::int32_t place;
};

const char16_t* StatusText(IofStatus status) {
  switch (status) {
    case IofStatus::Disqualified:
      return u"失格";
    case IofStatus::DidNotFinish:
      return u"途中棄権";
    case IofStatus::OverTime:
      return u"時間超過";
    case IofStatus::DidNotStart:
      return u"欠場";
    case IofStatus::Ok:  // OK without a time: nothing to rank
    case IofStatus::NotCompeting:
    case IofStatus::NoResult:
      break;
  }
  return u"記録なし";
}

LapRunner MakeRunner(IofPersonResult& result, Variant value, Variant rank) {
  return {std::move(result.runnerName), std::move(result.clubName), std::move(result.sex), std::move(value),
          std::move(rank)};
}

std::vector<Placed> PlaceFinishers(std::vector<IofPersonResult*> finishers) {
  std::vector<Placed> placed;
  placed.reserve(finishers.size());
  const bool filePlaces =
      std::all_of(finishers.begin(), finishers.end(), [](const IofPersonResult* r) { return r->position.has_value(); });
  if (filePlaces) {
    for (IofPersonResult* result : finishers) placed.push_back({result, *result->position});
  } else {
    std::stable_sort(finishers.begin(), finishers.end(),
                     [](const IofPersonResult* a, const IofPersonResult* b) { return *a->seconds < *b->seconds; });
    for (std::size_t i = 0; i < finishers.size(); ++i) {
      const bool tied = i > 0 && *finishers[i]->seconds == *finishers[i - 1]->seconds;
      placed.push_back({finishers[i], tied ? placed.back().place : static_cast<std::int32_t>(i + 1)});
    }
  }
  std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) { return a.place < b.place; });
  return placed;
}

}  // namespace

LapClass RankClassResult(IofClassResult classResult) {
  std::vector<IofPersonResult*> finishers;
  std::vector<IofPersonResult*> notCompeting;
  std::vector<IofPersonResult*> others;
  for (IofPersonResult& result : classResult.results) {
    if (result.status == IofStatus::Ok && result.seconds) {
      finishers.push_back(&result);
    } else if (result.status == IofStatus::NotCompeting) {
      notCompeting.push_back(&result);
    } else {
      others.push_back(&result);
    }
  }

  LapClass lapClass{std::move(classResult.name), {}};
  lapClass.runners.reserve(classResult.results.size());
  for (const Placed& placed : PlaceFinishers(std::move(finishers))) {
    lapClass.runners.push_back(
        MakeRunner(*placed.result, Variant(FormatRaceTime(*placed.result->seconds)), Variant(placed.place)));
  }
  for (IofPersonResult* result : notCompeting) {
    Variant value = result->seconds ? Variant(FormatRaceTime(*result->seconds)) : Variant(u"OP");
    lapClass.runners.push_back(MakeRunner(*result, std::move(value), Variant(u"OP")));
  }
  for (IofPersonResult* result : others) {
    lapClass.runners.push_back(MakeRunner(*result, Variant(StatusText(result->status)), Variant(u"")));
  }
  return lapClass;
}

}  // namespace pointimport::outside

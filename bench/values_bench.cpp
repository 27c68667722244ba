// Per-call cost of the value routines that run once or a few times for every
// runner of an import: the person ID, the result time and the SQL literal.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "convert/date_number.h"
#include "convert/sql_value.h"
#include "convert/time_value.h"
#include "import/person_id.h"

namespace {

using pointimport::convert::Variant;

const std::vector<std::u16string> kNames = {
    u"山田 太郎",         u"渡邊　一朗",  u"齋藤 さくら(東京OLC)", u"ﾔﾏﾀﾞ ﾀﾛｳ",     u"Yamada Taro",
    u"髙橋 健二＜M21A＞", u"佐々木 ゑみ", u"ｽｽﾞｷ ｹﾝｲﾁ[OB]",        u"小野寺　澤子", u"O'Brien Patrick",
};

const std::vector<std::u16string> kTimes = {
    u"1:23:45", u"0:58:07", u"2:04:30", u"１：２３：４５", u"45:12", u"失格", u"DNF", u"1:02:03",
};

void BM_MakePersonId(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(pointimport::import::MakePersonId(kNames[i]));
    i = (i + 1) % kNames.size();
  }
}
BENCHMARK(BM_MakePersonId);

void BM_ParseTimeValue(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(pointimport::convert::ParseTimeValue(kTimes[i], 0.0));
    i = (i + 1) % kTimes.size();
  }
}
BENCHMARK(BM_ParseTimeValue);

void BM_FormatSqlValue(benchmark::State& state) {
  const std::vector<Variant> values = {
      Variant(u"山田太郎"), Variant(u"O'Brien"), Variant(200.0 / 3.0),
      Variant(u"1:23:45"),  Variant::Integer(3), Variant::Date(pointimport::convert::DayNumber(2005, 4, 10)),
      Variant::Null(),      Variant(u"東京OLC"),
  };
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(pointimport::convert::FormatSqlValue(values[i]));
    i = (i + 1) % values.size();
  }
}
BENCHMARK(BM_FormatSqlValue);

}  // namespace

BENCHMARK_MAIN();

// Loading generated IOF XML 3.0 result lists through the lap-file
// component, against pugixml parsing the same bytes alone, and the same
// event in Shift_JIS against it in UTF-8.
//
//   build/lap_load_bench --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true
//                        all figures, then the ratios of the medians
#include <benchmark/benchmark.h>

#include <filesystem>
#include <iostream>
#include <limits>
#include <map>
#include <pugixml.hpp>
#include <stdexcept>

#include "convert/utf.h"
#include "keep_freed_memory.h"
#include "outside/lapfile/lap_file_component.h"
#include "parse_like_the_loader.h"
#include "support/generated_lap_file.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace pointimport;

// Per runner count, the generated UTF-8 file and the same event in
// Shift_JIS, made once.
struct Fixture {
  test_support::TempDir dir;
  std::map<int, fs::path> utf8;
  std::map<int, fs::path> shiftJis;

  Fixture() {
    for (int runners : {2000, 20000}) {
      const std::string name = std::to_string(runners);
      utf8[runners] = test_support::GenerateLapFile(
          dir.File(name + ".xml"),
          {.runners = runners, .classes = 120, .splits = 15, .seed = 7, .eventId = "BENCH"});
      const auto converted =
          test_support::RunCommand("iconv", {"-f", "UTF-8", "-t", "CP932", utf8[runners].string()});
      if (converted.exitCode != 0) throw std::runtime_error("iconv failed: " + converted.err);
      std::string bytes = converted.out;
      const std::string declared = "encoding=\"UTF-8\"";
      bytes.replace(bytes.find(declared), declared.size(), "encoding=\"Shift_JIS\"");
      shiftJis[runners] = dir.File(name + "-sjis.xml");
      test_support::WriteFileBytes(shiftJis[runners], bytes);
    }
  }
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

void Load(benchmark::State& state, const fs::path& path) {
  outside::lapfile::LapFileComponent component;
  const auto control = component.FileControl();
  const std::u16string file = convert::Utf8ToUtf16(path.string());
  for (auto _ : state) {
    if (!control->LoadLapFile(file).AsBoolean()) state.SkipWithError("the load failed");
  }
  state.counters["MB"] = static_cast<double>(fs::file_size(path)) / 1e6;
  state.counters["runners/s"] =
      benchmark::Counter(static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_LoadLapFile(benchmark::State& state) { Load(state, Shared().utf8[static_cast<int>(state.range(0))]); }

void BM_LoadLapFileShiftJis(benchmark::State& state) {
  Load(state, Shared().shiftJis[static_cast<int>(state.range(0))]);
}

// The floor: reading the file and building pugixml's tree as the loader
// does, nothing else.
void BM_PugixmlParseOnly(benchmark::State& state) {
  const fs::path path = Shared().utf8[static_cast<int>(state.range(0))];
  for (auto _ : state) {
    std::string text;
    pugi::xml_document document;
    if (!bench::ParseLikeTheLoader(path, text, document)) state.SkipWithError("the parse failed");
  }
}

BENCHMARK(BM_LoadLapFile)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLapFileShiftJis)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PugixmlParseOnly)->Arg(20000)->Unit(benchmark::kMillisecond);

// Keeps the real and CPU time of each run, the medians' when repeated, to
// print the ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const auto& run : runs)
      times_[run.benchmark_name()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto ratio = [&](const std::string& a, const std::string& b, const char* what) {
      const auto at = [&](const std::string& name) {
        return times_.contains(name + "_median") ? times_[name + "_median"] : times_[name];
      };
      const Times x = at(a), y = at(b);
      if (y.real == 0 || y.cpu == 0) return;
      std::cout << what << " = " << x.real / y.real << " (CPU time " << x.cpu / y.cpu << ")\n";
    };
    ratio("BM_LoadLapFileShiftJis/20000", "BM_LoadLapFile/20000", "20000 runners: Shift_JIS load / UTF-8 load");
    ratio("BM_LoadLapFile/20000", "BM_PugixmlParseOnly/20000", "20000 runners: UTF-8 load / parse only");
  }

 private:
  struct Times {
    double real = 0, cpu = 0;
  };
  std::map<std::string, Times> times_;
};

}  // namespace

int main(int argc, char** argv) {
  pointimport::bench::KeepFreedMemory();
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
}

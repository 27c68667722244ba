// The whole import of generated events against the machine's limit for the
// same work: pugixml parsing the file, and SQLite writing the same rows with
// prepared statements and bound parameters in one transaction.
//
//   build/import_bench            all figures, then the ratios
//   build/import_bench --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true
//                                 the same from the medians of five runs
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstring>
#include <filesystem>
#include <iostream>
#include <limits>
#include <map>
#include <pugixml.hpp>

#include "convert/utf.h"
#include "import/import_run.h"
#include "import/person_id.h"
#include "keep_freed_memory.h"
#include "main/object_registry.h"
#include "outside/create_object.h"
#include "outside/lap_component.h"
#include "outside/sqlite/sqlite_connection.h"
#include "parse_like_the_loader.h"
#include "support/generated_lap_file.h"
#include "support/temp_dir.h"
#include "support/test_database.h"

namespace {

namespace fs = std::filesystem;
using namespace pointimport;

class QuietHost : public import::ImportHost {
 public:
  void SetMousePointer(int) override {}
  void DoEvents() override {}
  void ShowMessage(const std::u16string&) override {}
};

// Generated files and a database holding 100 other events, made once.
struct Fixture {
  test_support::TempDir dir;
  std::map<int, fs::path> files;
  fs::path baseline = dir.File("baseline.mdb");
  fs::path database = dir.File("RovevizoduziDivoz.mdb");

  Fixture() {
    for (int runners : {2000, 20000}) {
      files[runners] = test_support::GenerateLapFile(
          dir.File(std::to_string(runners) + ".xml"),
          {.runners = runners, .classes = 120, .splits = 15, .seed = 7, .eventId = "BENCH"});
    }
    test_support::CreateTestDatabase(baseline);
    auto connection = test_support::OpenTestConnection(baseline);
    auto component = outside::CreateObjectAs<outside::LapComponent>(outside::kLapComponentProgId);
    QuietHost host;
    const fs::path other = test_support::GenerateLapFile(
        dir.File("other.xml"), {.runners = 200, .classes = 10, .seed = 3, .eventId = "OTHER"});
    for (int event = 0; event < 100; ++event) {
      // The same runners under 100 keywords: 100 events of 200 results.
      std::string xml = test_support::ReadFileBytes(other);
      const auto idStart = xml.find("<Id>", xml.find("<Event")) + 4;
      xml.replace(idStart, xml.find("</Id>", idStart) - idStart, "OTHER" + std::to_string(event));
      const fs::path file = dir.File("other" + std::to_string(event) + ".xml");
      test_support::WriteFileBytes(file, xml);
      component->FileControl()->LoadLapFile(convert::Utf8ToUtf16(file.string()));
      import::RunImport(*connection, *component, host);
    }
    connection->Close();
  }

  void FreshDatabase() { fs::copy_file(baseline, database, fs::copy_options::overwrite_existing); }
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

void BM_WholeImport(benchmark::State& state) {
  auto& fixture = Shared();
  const auto file = convert::Utf8ToUtf16(fixture.files[static_cast<int>(state.range(0))].string());
  for (auto _ : state) {
    state.PauseTiming();
    fixture.FreshDatabase();
    state.ResumeTiming();
    auto component = outside::CreateObjectAs<outside::LapComponent>(outside::kLapComponentProgId);
    component->FileControl()->LoadLapFile(file);
    auto connection = test_support::OpenTestConnection(fixture.database);
    QuietHost host;
    import::RunImport(*connection, *component, host);
    connection->Close();
  }
}

void BM_Load(benchmark::State& state) {
  const auto file = convert::Utf8ToUtf16(Shared().files[static_cast<int>(state.range(0))].string());
  auto component = outside::CreateObjectAs<outside::LapComponent>(outside::kLapComponentProgId);
  for (auto _ : state) benchmark::DoNotOptimize(component->FileControl()->LoadLapFile(file));
}

void BM_RunStatements(benchmark::State& state) {
  auto& fixture = Shared();
  auto component = outside::CreateObjectAs<outside::LapComponent>(outside::kLapComponentProgId);
  component->FileControl()->LoadLapFile(
      convert::Utf8ToUtf16(fixture.files[static_cast<int>(state.range(0))].string()));
  for (auto _ : state) {
    state.PauseTiming();
    fixture.FreshDatabase();
    auto connection = test_support::OpenTestConnection(fixture.database);
    state.ResumeTiming();
    QuietHost host;
    import::RunImport(*connection, *component, host);
    state.PauseTiming();
    connection->Close();
    state.ResumeTiming();
  }
}

// The limit of reading: read the file and parse it with pugixml as the
// loader does, and walk every individual result, touching the values the
// import reads.
void BM_LimitParse(benchmark::State& state) {
  const auto file = Shared().files[static_cast<int>(state.range(0))];
  for (auto _ : state) {
    std::string text;
    pugi::xml_document document;
    if (!bench::ParseLikeTheLoader(file, text, document)) state.SkipWithError("the parse failed");
    std::size_t touched = 0;
    for (auto classResult : document.document_element().children("ClassResult")) {
      touched += std::strlen(classResult.child("Class").child_value("Name"));
      for (auto person : classResult.children("PersonResult")) {
        auto name = person.child("Person").child("Name");
        touched += std::strlen(name.child_value("Family")) + std::strlen(name.child_value("Given"));
        touched += std::strlen(person.child("Organisation").child_value("Name"));
        touched += std::strlen(person.child("Person").attribute("sex").value());
        auto result = person.child("Result");
        touched += std::strlen(result.child_value("Time")) + std::strlen(result.child_value("Position")) +
                   std::strlen(result.child_value("Status"));
      }
    }
    benchmark::DoNotOptimize(touched);
  }
}

// The rows an import of the file writes, read back from a database it was
// imported into: the limit writes exactly these.
struct Rows {
  std::vector<std::vector<std::string>> persons, results;
  std::vector<std::string> event;
};

std::vector<std::string> SplitAtTabs(const std::string& row) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t tab; (tab = row.find('\t', start)) != std::string::npos; start = tab + 1) {
    fields.push_back(row.substr(start, tab - start));
  }
  fields.push_back(row.substr(start));
  return fields;
}

// Not inlined, and calling nothing named like it, so that an instruction
// count can leave it out by its name (bench/count_instructions.sh).
[[gnu::noinline]] Rows RowsOf(const fs::path& file) {
  auto& fixture = Shared();
  const fs::path scratch = fixture.dir.File("rows.mdb");
  test_support::CreateTestDatabase(scratch);
  auto connection = test_support::OpenTestConnection(scratch);
  auto component = outside::CreateObjectAs<outside::LapComponent>(outside::kLapComponentProgId);
  component->FileControl()->LoadLapFile(convert::Utf8ToUtf16(file.string()));
  QuietHost host;
  import::RunImport(*connection, *component, host);
  connection->Close();
  Rows rows;
  for (const auto& row : test_support::QueryRows(scratch, "SELECT * FROM PERSON"))
    rows.persons.push_back(SplitAtTabs(row));
  for (const auto& row : test_support::QueryRows(scratch, "SELECT * FROM RESULT"))
    rows.results.push_back(SplitAtTabs(row));
  rows.event = SplitAtTabs(test_support::QueryRows(scratch, "SELECT * FROM EVENT")[0]);
  fs::remove(scratch);
  return rows;
}

void BM_LimitWrite(benchmark::State& state) {
  auto& fixture = Shared();
  const Rows rows = RowsOf(fixture.files[static_cast<int>(state.range(0))]);
  for (auto _ : state) {
    state.PauseTiming();
    fixture.FreshDatabase();
    sqlite3* db = nullptr;
    sqlite3_open(fixture.database.c_str(), &db);
    state.ResumeTiming();
    const auto prepare = [db](const char* sql) {
      sqlite3_stmt* statement = nullptr;
      sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
      return statement;
    };
    const auto bindAll = [](sqlite3_stmt* statement, const std::vector<std::string>& values,
                            std::size_t count) {
      for (std::size_t i = 0; i < count; ++i) {
        sqlite3_bind_text(statement, static_cast<int>(i) + 1, values[i].data(),
                          static_cast<int>(values[i].size()), SQLITE_STATIC);
      }
    };
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "DELETE FROM EVENT WHERE ID='BENCH'", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "DELETE FROM RESULT WHERE EVENT_ID='BENCH'", nullptr, nullptr, nullptr);
    sqlite3_stmt* event = prepare("INSERT INTO EVENT VALUES (?, ?, ?, ?)");
    bindAll(event, rows.event, 4);
    sqlite3_step(event);
    sqlite3_stmt* lookup = prepare("SELECT * FROM PERSON WHERE ID = ?");
    sqlite3_stmt* insertPerson = prepare("INSERT INTO PERSON VALUES (?, ?, ?, ?)");
    sqlite3_stmt* insertResult = prepare("INSERT INTO RESULT VALUES (?, ?, ?, ?, ?, ?)");
    for (std::size_t i = 0; i < rows.results.size(); ++i) {
      const auto& person = rows.persons[i % rows.persons.size()];
      bindAll(lookup, person, 1);
      sqlite3_step(lookup);
      sqlite3_reset(lookup);
      bindAll(insertPerson, person, 4);
      sqlite3_step(insertPerson);  // a duplicate fails, as a found person would be updated instead
      sqlite3_reset(insertPerson);
      bindAll(insertResult, rows.results[i], 5);
      sqlite3_bind_double(insertResult, 6, std::atof(rows.results[i][5].c_str()));
      sqlite3_step(insertResult);
      sqlite3_reset(insertResult);
    }
    for (auto* statement : {event, lookup, insertPerson, insertResult}) sqlite3_finalize(statement);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    state.PauseTiming();
    sqlite3_close(db);
    state.ResumeTiming();
  }
}

BENCHMARK(BM_WholeImport)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunStatements)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LimitParse)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LimitWrite)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

// Keeps the real time of each run, the median's when repeated, to print the
// ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const auto& run : runs) times_[run.benchmark_name()] = run.GetAdjustedRealTime();
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (int runners : {2000, 20000}) {
      const auto at = [&](const char* name) {
        const std::string run = std::string(name) + "/" + std::to_string(runners);
        return times_.contains(run + "_median") ? times_[run + "_median"] : times_[run];
      };
      const double whole = at("BM_WholeImport"), limit = at("BM_LimitParse") + at("BM_LimitWrite");
      if (whole == 0 || limit == 0) continue;
      std::cout << runners << " runners: import " << whole << " ms (" << whole * 1000 / runners
                << " us per runner), limit " << limit << " ms, import / limit = " << whole / limit
                << "; load / parse = " << at("BM_Load") / at("BM_LimitParse")
                << ", statements / bound writes = " << at("BM_RunStatements") / at("BM_LimitWrite") << "\n";
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  pointimport::bench::KeepFreedMemory();
  pointimport::main::RegisterSystemObjects();
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
}

#include "import/import_run.h"

#include <optional>
#include <string>
#include <utility>

#include "convert/long_value.h"
#include "convert/runtime_error.h"
#include "import/import_run_state.h"
#include "import/person_store.h"
#include "import/reference_points.h"
#include "import/statements.h"
#include "outside/transaction.h"

namespace pointimport::import {

using convert::ToLong;
using convert::ToText;
using convert::Variant;

namespace {

void ReplaceEventRow(ImportRun& run, outside::LapEventData& event) {
  ImportReport& report = run.report;
  // Read for the report alone, before the first statement.
  report.description = event.ToString();
  report.provisional = event.Provisional() == Variant(true);

  report.keyword = ToText(event.FileName());
  run.connection.Execute(EventDeleteStatement(report.keyword));
  run.connection.Execute(ResultsDeleteStatement(report.keyword), &report.resultRowsReplaced);
  // Each member is read into its own variable: the order of a call's
  // arguments is the compiler's choice, the order of reads is the file's.
  const Variant fileName = event.FileName();
  const Variant eventName = event.EventName();
  const Variant terrain = event.Terrain();
  const Variant eventDate = event.EventDate();
  run.connection.Execute(EventInsertStatement(fileName, eventName, terrain, eventDate));
}

void ImportResult(ImportRun& run, outside::LapResult& result, std::int32_t classNumber,
                  const ReferenceTime& reference) {
  ResultReport& row = run.report.results.emplace_back();
  row.classNumber = classNumber;

  const Variant rankForPoints = result.Rank();
  const Variant resultForPoints = result.Result();
  const PointsDecision decision = DecidePoints(reference, rankForPoints, resultForPoints);
  row.points = decision.points;
  row.reason = decision.reason;

  StoredPerson person = StorePerson(run, result, classNumber);
  if (!person.failureCause.empty()) row.causes.push_back(std::move(person.failureCause));

  const Variant keyword = run.component.EventData()->FileName();
  row.className = result.ClassName();
  row.rank = result.Rank();
  row.result = result.Result();
  run.statement = ResultInsertStatement(keyword, person.id, row.className, row.rank, row.result, row.points,
                                        std::move(run.statement));
  if (std::optional<std::u16string> cause = run.WriteRunnerRow(kResultFailurePrefix, classNumber, result)) {
    row.causes.push_back(std::move(*cause));
  } else {
    row.written = true;
  }

  row.personId = std::move(person.id);
  row.runnerName = std::move(person.runnerName);
  row.clubName = std::move(person.clubName);
  row.person = person.state;
  if (row.personId.empty()) row.flags |= kEmptyPersonId;
  if (person.otherClub) row.flags |= kOtherClub;
  if (person.storedValueUnreadable) row.flags |= kStoredValueUnreadable;
}

// The rows of one class.
void ImportClass(ImportRun& run, outside::LapResultsHolder& results, std::int32_t classNumber) {
  results.Clear();
  results.AddClass(classNumber);
  ClassReport& classReport = run.report.classes.emplace_back();
  classReport.number = classNumber;
  // Read once for the report, after AddClass and before the reference; the
  // failure lines read it again, as ever. It changes no statement.
  classReport.name = run.component.ClassData(classNumber)->ClassName();
  classReport.firstResult = run.report.results.size();

  const ReferenceTime reference = CalcReferenceTime(results, &classReport.referenceTimes);
  classReport.referenceValid = reference.valid;
  classReport.whyNoReference = reference.whyInvalid;
  classReport.referenceTime = reference.time;

  classReport.resultCount = ToLong(results.Count());
  for (std::int32_t j = 1; j <= classReport.resultCount; ++j) {
    ImportResult(run, *results.Item(j), classNumber, reference);
  }
}

}  // namespace

ImportSummary RunImport(outside::Connection& connection, outside::LapComponent& component, ImportHost& host,
                        const ImportOptions& options) {
  host.SetMousePointer(ImportHost::kHourglassPointer);
  host.DoEvents();

  ImportSummary summary;
  ImportReport& report = summary.report;
  report.dryRun = options.dryRun;
  outside::Transaction transaction(connection);
  ImportRun run{connection, component, summary.failures, report};
  ReplaceEventRow(run, *component.EventData());

  const auto results = component.NewResultsHolder();
  summary.classCount = ToLong(component.ClassCount());
  for (std::int32_t i = 1; i <= summary.classCount; ++i) {
    ImportClass(run, *results, i);
    host.ReportProgress(i, summary.classCount);
  }
  FinishReport(report);
  if (report.resultRowsWritten == 0 && report.resultRowsRefused > 0) {
    // Committed, the run would leave the event with its old results deleted
    // and none in their place. Every row was refused, each with its cause
    // last: the first row's tells the operator what the database objects to.
    transaction.Rollback();
    throw convert::RuntimeError(
        convert::error_number::kNoResultRowWritten,
        u"結果行をひとつも書き込めなかったので、取込を取り消しました。最初の行の原因: " +
            report.results.front().causes.back());
  }
  if (options.dryRun) {
    transaction.Rollback();
  } else {
    transaction.Commit();
  }
  summary.resultRowsWritten = report.resultRowsWritten;

  host.SetMousePointer(ImportHost::kDefaultPointer);
  host.ShowCompletion(CompletionMessage(summary.failures), report);
  return summary;
}

}  // namespace pointimport::import

#include "import/import_run.h"

#include "convert/long_value.h"
#include "convert/runtime_error.h"
#include "import/person_store.h"
#include "import/reference_points.h"
#include "import/statements.h"
#include "outside/transaction.h"

namespace pointimport::import {

using convert::ToLong;
using convert::ToText;
using convert::Variant;

namespace {

void ReplaceEventRow(outside::Connection& connection, outside::LapEventData& event) {
  const std::u16string keyword = ToText(event.FileName());
  connection.Execute(EventDeleteStatement(keyword));
  connection.Execute(ResultsDeleteStatement(keyword));
  // Each member is read into its own variable: the order of a call's
  // arguments is the compiler's choice, the order of reads is the file's.
  const Variant fileName = event.FileName();
  const Variant eventName = event.EventName();
  const Variant terrain = event.Terrain();
  const Variant eventDate = event.EventDate();
  connection.Execute(EventInsertStatement(fileName, eventName, terrain, eventDate));
}

// The rows of one class; returns the number of result rows written.
std::int32_t ImportClass(outside::Connection& connection, outside::LapComponent& component,
                         outside::LapResultsHolder& results, std::int32_t classNumber,
                         FailureLines& failures) {
  results.Clear();
  results.AddClass(classNumber);
  const ReferenceTime reference = CalcReferenceTime(results);
  std::int32_t written = 0;
  const std::int32_t count = ToLong(results.Count());
  for (std::int32_t j = 1; j <= count; ++j) {
    const auto result = results.Item(j);
    const Variant rankForPoints = result->Rank();
    const Variant resultForPoints = result->Result();
    const double points = CalcPoints(reference, rankForPoints, resultForPoints);
    const std::u16string personId = StorePerson(connection, component, *result, classNumber, failures);
    const Variant keyword = component.EventData()->FileName();
    const Variant className = result->ClassName();
    const Variant rank = result->Rank();
    const Variant resultValue = result->Result();
    const std::u16string insert = ResultInsertStatement(keyword, personId, className, rank, resultValue, points);
    try {
      connection.ExecuteInSavepoint(insert);
      ++written;
    } catch (const convert::RuntimeError&) {
      AddFailureLine(failures, kResultFailurePrefix, component, classNumber, *result);
    }
  }
  return written;
}

}  // namespace

ImportSummary RunImport(outside::Connection& connection, outside::LapComponent& component,
                        ImportHost& host, const ImportOptions& options) {
  host.SetMousePointer(ImportHost::kHourglassPointer);
  host.DoEvents();

  ImportSummary summary;
  outside::Transaction transaction(connection);
  ReplaceEventRow(connection, *component.EventData());

  const auto results = component.NewResultsHolder();
  summary.classCount = ToLong(component.ClassCount());
  for (std::int32_t i = 1; i <= summary.classCount; ++i) {
    summary.resultRowsWritten += ImportClass(connection, component, *results, i, summary.failures);
    host.ReportProgress(i, summary.classCount);
  }
  if (options.dryRun) {
    transaction.Rollback();
  } else {
    transaction.Commit();
  }

  host.SetMousePointer(ImportHost::kDefaultPointer);
  host.ShowMessage(CompletionMessage(summary.failures));
  return summary;
}

}  // namespace pointimport::import

#include "main/cli_commands.h"

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <sstream>

#include "convert/ascii_case.h"
#include "convert/number_text.h"
#include "convert/runtime_error.h"
#include "convert/utf.h"
#include "import/import_run.h"
#include "import/lap_load_failed.h"
#include "import/load_warnings.h"
#include "import/loaded_event.h"
#include "import/replace_check.h"
#include "main/cli_options.h"
#include "main/database_location.h"
#include "main/report_csv.h"
#include "main/report_destination.h"
#include "main/report_html.h"
#include "main/report_summary.h"
#include "main/report_texts.h"
#include "main/terminal_text.h"
#include "outside/create_object.h"
#include "outside/lap_component.h"
#include "outside/logging_connection.h"
#include "outside/sqlite/points_database_file.h"
#include "platform/terminal.h"

namespace pointimport::main {

using convert::NativePath;
using convert::PathFromNative;
using convert::RuntimeError;
using convert::ToText;

namespace {

// The connection string the window builds, for a database anywhere.
std::u16string ConnectionStringFor(const std::u16string& databasePath) {
  const std::string folder = std::filesystem::path(NativePath(databasePath)).parent_path().string();
  return ConnectionStringForFile(PathFromNative(folder), databasePath);
}

std::string ErrorText(const RuntimeError& error) {
  return "エラー " + TerminalText(convert::FormatInteger(error.Number())) + ": " +
         TerminalText(error.Description());
}

// The command line has no pointer and no pending events; the completion
// message is replaced by the command's own report, and progress goes to a
// terminal only.
class CommandLineHost : public import::ImportHost {
 public:
  explicit CommandLineHost(std::ostream& progress, bool showProgress)
      : progress_(progress), showProgress_(showProgress) {}
  void SetMousePointer(int) override {}
  void DoEvents() override {}
  void ShowMessage(const std::u16string&) override {}
  void ReportProgress(int classesDone, int classCount) override {
    if (!showProgress_) return;
    progress_ << "\rクラス " << classesDone << " / " << classCount << (classesDone == classCount ? "\n" : "")
              << std::flush;
  }

 private:
  std::ostream& progress_;
  bool showProgress_;
};

enum class ReportFormat { None, Csv, Html };

struct ImportCommandOptions {
  std::u16string database = DefaultDatabasePath();
  bool dryRun = false;
  bool echoSql = false;
  bool replace = false;
  std::u16string report;
  ReportFormat reportFormat = ReportFormat::None;
  std::vector<std::u16string> files;
};

ReportFormat ReportFormatOf(const std::u16string& file) {
  const std::u16string extension = PathFromNative(std::filesystem::path(NativePath(file)).extension().string());
  if (convert::EqualsIgnoringAsciiCase(extension, u".csv")) return ReportFormat::Csv;
  if (convert::EqualsIgnoringAsciiCase(extension, u".html")) return ReportFormat::Html;
  return ReportFormat::None;
}

bool ParseImportOptions(const std::vector<std::string>& args, ImportCommandOptions& options,
                        std::ostream& err) {
  bool missing = false;
  for (std::size_t i = 0; i < args.size() && !missing; ++i) {
    if (TakeOptionValue(args, i, "--database", options.database, missing, err)) continue;
    if (TakeOptionValue(args, i, "--report", options.report, missing, err)) {
      options.reportFormat = ReportFormatOf(options.report);
      if (!missing && options.reportFormat == ReportFormat::None) {
        err << "レポートのファイル名は .csv か .html で終わる必要があります: " << TerminalText(options.report)
            << "\n";
        return false;
      }
    } else if (args[i] == "--dry-run") {
      options.dryRun = true;
    } else if (args[i] == "--echo-sql") {
      options.echoSql = true;
    } else if (args[i] == "--replace") {
      options.replace = true;
    } else if (args[i].starts_with("--")) {
      err << "不明な引数です: " << TerminalText(PathFromNative(args[i])) << "\n";
      return false;
    } else {
      options.files.push_back(PathFromNative(args[i]));
    }
  }
  if (missing) return false;
  if (options.files.empty()) err << "取り込むファイルを指定してください。\n";
  return !options.files.empty();
}

// Prints the lines of a multi-line text, each indented.
void PrintIndented(std::ostream& out, const std::u16string& text) {
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(u'\n', start)) != std::u16string::npos; start = end + 1) {
    out << "  " << TerminalText(std::u16string_view(text).substr(start, end - start)) << "\n";
  }
  out << "  " << TerminalText(std::u16string_view(text).substr(start)) << "\n";
}

// Loads and imports one file; returns its exit status. The run's report is
// appended to reports.
// The look-ups before the import go to lookUp: they only read, and
// --echo-sql shows what the import itself executes.
int ImportOneFile(const std::u16string& file, outside::Connection& connection, outside::Connection& lookUp,
                  outside::LapComponent& component, const ImportCommandOptions& options,
                  std::vector<import::ImportReport>& reports, std::ostream& out, std::ostream& err) {
  out << "ファイル: " << TerminalText(file) << "\n";
  const auto fileControl = component.FileControl();
  if (import::LapLoadFailed(fileControl->LoadLapFile(file))) {
    const std::u16string reason = ValueText(fileControl->LastLoadError());
    err << "ファイルを開けません: " << TerminalText(file) << (reason.empty() ? "" : ": " + TerminalText(reason))
        << "\n";
    return kExitError;
  }
  const auto event = component.EventData();
  const std::u16string keyword = ToText(event->FileName());
  out << "  大会: " << TerminalText(ValueText(event->ToString())) << "\n";
  if (keyword.empty()) {
    err << "[エラー] ファイル名キーワードが指定されていません: " << TerminalText(file) << "\n";
    return kExitError;
  }
  out << "  キーワード: " << TerminalText(keyword) << "\n";
  const import::LoadedEvent loaded = import::ReadLoadedEvent(component);
  for (const auto& warning : import::LoadWarnings(loaded)) out << "  注意: " << TerminalText(warning) << "\n";
  if (const auto facts = import::SurprisingReplacement(lookUp, loaded); !facts.empty() && !options.replace) {
    err << "取り込みません: " << TerminalText(file) << "\n";
    for (const auto& fact : facts) err << "  " << TerminalText(fact) << "\n";
    err << "  それでも取り込むには --replace を付けてください。\n";
    return kExitNotReplaced;
  }

  CommandLineHost host(err, !options.echoSql && platform::IsTerminal(platform::StandardStream::Error));
  import::ImportSummary summary = import::RunImport(connection, component, host, {.dryRun = options.dryRun});
  out << "  クラス: " << summary.classCount << "\n"
      << (options.dryRun ? "  書き込む結果行 (試行のため書き込んでいません): " : "  書き込んだ結果行: ")
      << summary.resultRowsWritten << "\n";
  PrintIndented(out, ReportSummaryText(summary.report));
  if (!summary.failures.empty()) {
    out << "  書き込めなかった行: " << summary.failures.size() << " 件\n";
    for (const auto& line : summary.failures) out << "  " << TerminalText(line) << "\n";
  }
  reports.push_back(std::move(summary.report));
  return summary.failures.empty() ? kExitOk : kExitSomeRowsFailed;
}

// What every report of the format begins with, whatever it holds: the CSV's
// header row, or the page up to its style.
std::string ReportStart(ReportFormat format) {
  std::ostringstream empty;
  if (format == ReportFormat::Csv) {
    WriteCsvReport({}, empty);
  } else {
    WriteHtmlReport({}, empty);
  }
  const std::string page = empty.str();
  return page.substr(0, page.find("<style>"));
}

// Refuses a report that would replace what the command reads, or that
// cannot be made beside its destination, before anything is imported.
bool OpenReport(const ImportCommandOptions& options, ReportDestination& destination, std::ostream& err) {
  std::vector<std::u16string> inputs = options.files;
  inputs.push_back(options.database);
  const std::u16string refusal =
      ReportDestination::Refusal(options.report, inputs, ReportStart(options.reportFormat));
  if (!refusal.empty()) {
    err << "レポートの書き込み先にできません: " << TerminalText(options.report) << " (" << TerminalText(refusal)
        << ")\n";
    return false;
  }
  const std::error_code error = destination.Open(options.report);
  if (error) {
    err << "レポートを書き込めません: " << TerminalText(options.report) << " (" << error.message() << ")\n";
  }
  return !error;
}

// Writes the report of every imported file and puts it in place; returns its
// exit status.
int WriteReport(const ImportCommandOptions& options, const std::vector<import::ImportReport>& reports,
                ReportDestination& destination, std::ostream& err) {
  std::ostringstream report;
  if (options.reportFormat == ReportFormat::Csv) {
    WriteCsvReport(reports, report);
  } else {
    WriteHtmlReport(reports, report);
  }
  const std::error_code error = destination.Commit(report.str());
  if (error) {
    err << "レポートを書き込めません: " << TerminalText(options.report) << " (" << error.message() << ")\n";
    return kExitError;
  }
  return kExitOk;
}

}  // namespace

int RunInitCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::u16string path = DefaultDatabasePath();
  bool missing = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (TakeOptionValue(args, i, "--database", path, missing, err)) {
      if (missing) return kExitError;
    } else {
      err << "不明な引数です: " << TerminalText(PathFromNative(args[i])) << "\n";
      return kExitError;
    }
  }
  const auto result = outside::sqlite::CreatePointsDatabase(path);
  const bool ok = result.status == outside::sqlite::CreateDatabaseStatus::Created ||
                  result.status == outside::sqlite::CreateDatabaseStatus::AlreadyExists;
  (ok ? out : err) << TerminalText(result.reason) << "\n";
  return ok ? kExitOk : kExitError;
}

int RunImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  ImportCommandOptions options;
  if (!ParseImportOptions(args, options, err)) return kExitError;
  ReportDestination reportDestination;
  const bool reporting = options.reportFormat != ReportFormat::None;
  if (reporting && !OpenReport(options, reportDestination, err)) return kExitError;

  std::shared_ptr<outside::Connection> database;
  std::shared_ptr<outside::LapComponent> component;
  try {
    database = outside::CreateObjectAs<outside::Connection>(outside::kConnectionProgId);
    database->Open(ConnectionStringFor(options.database));
    component = outside::CreateObjectAs<outside::LapComponent>(outside::kLapComponentProgId);
  } catch (const RuntimeError& error) {
    err << "データベースに接続できません\n" << ErrorText(error) << "\n";
    std::error_code ignored;
    if (!std::filesystem::exists(NativePath(options.database), ignored)) {
      err << "ポイントデータベースは pointimport-cli init で作成できます (場所は --database で指定)。\n";
    }
    return kExitError;
  }
  outside::LoggingConnection echoing(
      *database, [&err](const std::u16string& statement) { err << TerminalText(statement) << "\n"; });
  outside::Connection& connection = options.echoSql ? echoing : *database;

  int status = kExitOk;
  std::vector<import::ImportReport> reports;
  for (const auto& file : options.files) {
    try {
      status =
          std::max(status, ImportOneFile(file, connection, *database, *component, options, reports, out, err));
    } catch (const RuntimeError& error) {
      err << ErrorText(error) << "\n何も書き込んでいません。\n"
          << "取り込みを取り消しました。この大会のデータは変更されていません: " << TerminalText(file) << "\n";
      // Rows the database would not take are rows that could not be written,
      // however many: the file itself was read and imported to its end.
      status =
          std::max(status, error.Number() == convert::error_number::kNoResultRowWritten ? kExitSomeRowsFailed
                                                                                        : kExitError);
    }
  }
  database->Close();
  if (reporting) status = std::max(status, WriteReport(options, reports, reportDestination, err));
  return status;
}

}  // namespace pointimport::main

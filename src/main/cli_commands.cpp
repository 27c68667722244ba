#include "main/cli_commands.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <ostream>

#include "convert/number_text.h"
#include "convert/runtime_error.h"
#include "convert/utf.h"
#include "import/import_run.h"
#include "main/database_location.h"
#include "outside/create_object.h"
#include "outside/lap_component.h"
#include "outside/logging_connection.h"
#include "outside/points_database_file.h"

namespace pointimport::main {

using convert::RuntimeError;
using convert::ToText;
using convert::Utf16ToUtf8;
using convert::Utf8ToUtf16;

namespace {

std::u16string DefaultDatabasePath() {
  return AddPathSeparator(ProgramFolder()) + outside::kPointsDatabaseFileName;
}

// The connection string the window builds, for a database anywhere.
std::u16string ConnectionStringFor(const std::u16string& databasePath) {
  const std::string folder = std::filesystem::path(Utf16ToUtf8(databasePath)).parent_path().string();
  return ConnectionStringForFile(Utf8ToUtf16(folder), databasePath);
}

std::string ErrorText(const RuntimeError& error) {
  return "エラー " + Utf16ToUtf8(convert::FormatInteger(error.Number())) + ": " +
         Utf16ToUtf8(error.Description());
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

struct ImportCommandOptions {
  std::u16string database = DefaultDatabasePath();
  bool dryRun = false;
  bool echoSql = false;
  std::vector<std::u16string> files;
};

bool ParseImportOptions(const std::vector<std::string>& args, ImportCommandOptions& options,
                        std::ostream& err) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--database" && i + 1 < args.size()) {
      options.database = Utf8ToUtf16(args[++i]);
    } else if (args[i] == "--dry-run") {
      options.dryRun = true;
    } else if (args[i] == "--echo-sql") {
      options.echoSql = true;
    } else if (args[i].starts_with("--")) {
      err << "不明な引数です: " << args[i] << "\n";
      return false;
    } else {
      options.files.push_back(Utf8ToUtf16(args[i]));
    }
  }
  if (options.files.empty()) err << "取り込むファイルを指定してください。\n";
  return !options.files.empty();
}

// Loads and imports one file; returns its exit status.
int ImportOneFile(const std::u16string& file, outside::Connection& connection,
                  outside::LapComponent& component, const ImportCommandOptions& options,
                  std::ostream& out, std::ostream& err) {
  out << "ファイル: " << Utf16ToUtf8(file) << "\n";
  if (component.FileControl()->LoadLapFile(file) == convert::Variant(false)) {
    err << "ファイルを開けません: " << Utf16ToUtf8(file) << "\n";
    return kExitError;
  }
  const auto event = component.EventData();
  const std::u16string keyword = ToText(event->FileName());
  out << "  大会: " << Utf16ToUtf8(ToText(event->ToString())) << "\n";
  if (keyword.empty()) {
    err << "[エラー] ファイル名キーワードが指定されていません: " << Utf16ToUtf8(file) << "\n";
    return kExitError;
  }
  out << "  キーワード: " << Utf16ToUtf8(keyword) << "\n";

  CommandLineHost host(err, !options.echoSql && ::isatty(STDERR_FILENO));
  const import::ImportSummary summary =
      import::RunImport(connection, component, host, {.dryRun = options.dryRun});
  out << "  クラス: " << summary.classCount << "\n"
      << (options.dryRun ? "  書き込む結果行 (試行のため書き込んでいません): " : "  書き込んだ結果行: ")
      << summary.resultRowsWritten << "\n";
  if (!summary.failures.empty()) {
    out << "  書き込めなかった行: " << summary.failures.size() << " 件\n";
    for (const auto& line : summary.failures) out << "  " << Utf16ToUtf8(line) << "\n";
  }
  return summary.failures.empty() ? kExitOk : kExitSomeRowsFailed;
}

}  // namespace

int RunInitCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::u16string path = DefaultDatabasePath();
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--database" && i + 1 < args.size()) {
      path = Utf8ToUtf16(args[++i]);
    } else {
      err << "不明な引数です: " << args[i] << "\n";
      return kExitError;
    }
  }
  const auto result = outside::CreatePointsDatabase(path);
  const bool ok = result.status == outside::CreateDatabaseStatus::Created ||
                  result.status == outside::CreateDatabaseStatus::AlreadyExists;
  (ok ? out : err) << Utf16ToUtf8(result.reason) << "\n";
  return ok ? kExitOk : kExitError;
}

int RunImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  ImportCommandOptions options;
  if (!ParseImportOptions(args, options, err)) return kExitError;

  std::shared_ptr<outside::Connection> database;
  std::shared_ptr<outside::LapComponent> component;
  try {
    database = outside::CreateObjectAs<outside::Connection>(outside::kConnectionProgId);
    database->Open(ConnectionStringFor(options.database));
    component = outside::CreateObjectAs<outside::LapComponent>(outside::kLapComponentProgId);
  } catch (const RuntimeError& error) {
    err << "データベースに接続できません\n" << ErrorText(error) << "\n";
    return kExitError;
  }
  outside::LoggingConnection echoing(*database, [&err](const std::u16string& statement) {
    err << Utf16ToUtf8(statement) << "\n";
  });
  outside::Connection& connection = options.echoSql ? echoing : *database;

  int status = kExitOk;
  for (const auto& file : options.files) {
    try {
      status = std::max(status, ImportOneFile(file, connection, *component, options, out, err));
    } catch (const RuntimeError& error) {
      err << ErrorText(error) << "\n取り込みを取り消しました。この大会のデータは変更されていません: "
          << Utf16ToUtf8(file) << "\n";
      status = kExitError;
    }
  }
  database->Close();
  return status;
}

}  // namespace pointimport::main

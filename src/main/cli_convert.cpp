#include <ostream>

#include "convert/number_text.h"
#include "convert/runtime_error.h"
#include "convert/utf.h"
#include "main/cli_commands.h"
#include "main/cli_options.h"
#include "main/terminal_text.h"
#include "outside/access/access_tables_reader.h"
#include "outside/access_file_signature.h"
#include "outside/points_tables.h"
#include "outside/sqlite/points_database_copy.h"
#include "platform/file_system.h"

namespace pointimport::main {

namespace {

struct ConvertOptions {
  std::u16string source;
  std::u16string database = DefaultDatabasePath();
};

bool ParseConvertOptions(const std::vector<std::string>& args, ConvertOptions& options, std::ostream& err) {
  bool missing = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (TakeOptionValue(args, i, "--database", options.database, missing, err)) {
      if (missing) return false;
    } else if (args[i].starts_with("--") || !options.source.empty()) {
      err << "不明な引数です: " << TerminalText(convert::PathFromNative(args[i])) << "\n";
      return false;
    } else {
      options.source = convert::PathFromNative(args[i]);
    }
  }
  if (options.source.empty()) err << "変換する Access のデータベースファイルを指定してください。\n";
  return !options.source.empty();
}

void PrintList(std::ostream& out, const char* heading, const std::vector<std::u16string>& lines) {
  if (lines.empty()) return;
  out << heading << ": " << lines.size() << " 件\n";
  for (const auto& line : lines) out << "  " << TerminalText(line) << "\n";
}

}  // namespace

int RunConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  ConvertOptions options;
  if (!ParseConvertOptions(args, options, err)) return kExitError;
  if (platform::StatusOf(options.source).kind == platform::FileKind::None) {
    err << "ファイルが見つかりません: " << TerminalText(options.source) << "\n";
    return kExitError;
  }
  if (!outside::HasAccessSignature(options.source)) {
    err << "Access のデータベースファイルではありません: " << TerminalText(options.source) << "\n";
    return kExitError;
  }
  // Refused before the whole file is read; the writer asks again when it
  // gives the new file its name.
  if (platform::StatusOf(options.database).kind != platform::FileKind::None) {
    err << "ファイルが既にあります。変更しません: " << TerminalText(options.database) << "\n";
    return kExitError;
  }
  outside::access::AccessTablesRead read;
  try {
    read = outside::access::ReadAccessTables(options.source, outside::PointsTableShapes());
  } catch (const convert::RuntimeError& error) {
    err << TerminalText(error.Description()) << "\n何も作成していません。\n";
    return kExitError;
  }
  const auto written = outside::sqlite::CreatePointsDatabaseWithRows(options.database, read.tables);
  if (written.status != outside::sqlite::CreateDatabaseStatus::Created) {
    err << TerminalText(written.reason) << "\n";
    return kExitError;
  }
  out << TerminalText(written.reason) << "\n変換元: " << TerminalText(options.source) << "\n";
  for (const auto& table : read.tables) {
    out << "  " << TerminalText(table.name) << ": " << table.rows.size() << " 行\n";
  }
  PrintList(out, "移さなかった列 (ポイントデータベースにない列)", read.leftOut);
  PrintList(out, "そのままの形では移せなかった値", written.inexact);
  return read.leftOut.empty() && written.inexact.empty() ? kExitOk : kExitSomeRowsFailed;
}

}  // namespace pointimport::main

// pointimport-cli: the points database tools for scripts and for importing
// many lap files at once.
#include <iostream>
#include <string>
#include <vector>

#include "convert/utf.h"
#include "main/database_location.h"
#include "outside/points_database_file.h"

namespace {

using pointimport::convert::Utf16ToUtf8;
using pointimport::convert::Utf8ToUtf16;
namespace outside = pointimport::outside;
namespace main_ns = pointimport::main;

constexpr int kExitOk = 0;
constexpr int kExitError = 2;

constexpr char kUsage[] =
    "使い方:\n"
    "  pointimport-cli init [--database PATH]\n"
    "      ポイントデータベースを作成します (既定: プログラムのフォルダーの\n"
    "      RovevizoduziDivoz.mdb)。既にあるファイルは変更しません。\n"
    "  pointimport-cli --help\n"
    "      この説明を表示します。\n";

std::u16string DefaultDatabasePath() {
  return main_ns::AddPathSeparator(main_ns::ProgramFolder()) + outside::kPointsDatabaseFileName;
}

int RunInit(const std::vector<std::string>& args) {
  std::u16string path = DefaultDatabasePath();
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--database" && i + 1 < args.size()) {
      path = Utf8ToUtf16(args[++i]);
    } else {
      std::cerr << "不明な引数です: " << args[i] << "\n" << kUsage;
      return kExitError;
    }
  }
  const auto result = outside::CreatePointsDatabase(path);
  const bool ok = result.status == outside::CreateDatabaseStatus::Created ||
                  result.status == outside::CreateDatabaseStatus::AlreadyExists;
  (ok ? std::cout : std::cerr) << Utf16ToUtf8(result.reason) << "\n";
  return ok ? kExitOk : kExitError;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    (args.empty() ? std::cerr : std::cout) << kUsage;
    return args.empty() ? kExitError : kExitOk;
  }
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (args[0] == "init") return RunInit(rest);
  std::cerr << "不明なコマンドです: " << args[0] << "\n" << kUsage;
  return kExitError;
}

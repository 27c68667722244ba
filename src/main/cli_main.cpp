// pointimport-cli: the points database tools for scripts, and the import of
// many lap files at once.
#include <iostream>
#include <string>
#include <vector>

#include "main/cli_commands.h"
#include "main/object_registry.h"

namespace {

constexpr char kUsage[] =
    "使い方:\n"
    "  pointimport-cli init [--database PATH]\n"
    "      ポイントデータベースを作成します (既定: プログラムのフォルダーの\n"
    "      RovevizoduziDivoz.mdb)。既にあるファイルは変更しません。\n"
    "  pointimport-cli import [--database PATH] [--dry-run] [--echo-sql] [--replace]\n"
    "                         [--report FILE.csv|FILE.html] FILE...\n"
    "      ラップファイルを一つずつ読み込み、取込ボタンと同じく取り込みます。\n"
    "      --database PATH  ポイントデータベース (既定: プログラムのフォルダーの\n"
    "                       RovevizoduziDivoz.mdb)。\n"
    "      --dry-run   取り込みを最後まで行い、書き込まずに取り消します。\n"
    "      --echo-sql  実行する SQL 文を一行ずつ標準エラーに書きます。\n"
    "      --replace   別の大会 (大会名・日付の違う大会、結果行が半分未満になる大会)\n"
    "                  を置き換えるファイルや、別のキーワードで取り込み済みの大会の\n"
    "                  ファイルも取り込みます。付けなければ、そのファイルは取り込まず\n"
    "                  理由を表示し、ほかのファイルへ進みます。\n"
    "      --report FILE.csv|FILE.html\n"
    "                  取り込んだすべてのファイルのレポートを書きます。\n"
    "      終了コード: 0 すべて取り込めた / 1 書き込めなかった行がある・\n"
    "                  置き換えになるため取り込まなかったファイルがある /\n"
    "                  2 読み込めないファイル・キーワードなし・エラーで取り消した・\n"
    "                    データベースに接続できない\n"
    "  pointimport-cli convert ACCESS.mdb [--database PATH]\n"
    "      Access のデータベースファイルの EVENT・PERSON・RESULT の行をすべて\n"
    "      新しいポイントデータベース (既定: プログラムのフォルダーの\n"
    "      RovevizoduziDivoz.mdb) に移します。Access のファイルは読むだけです。\n"
    "      既にあるファイルには書き込みません。\n"
    "      終了コード: 0 すべてそのまま移した / 1 移さなかった列・そのままの形\n"
    "                  では移せなかった値がある (一覧を表示) / 2 変換しなかった\n"
    "  pointimport-cli --help | -h | help\n"
    "      この説明を表示します。\n"
    "  pointimport-cli --version | -V\n"
    "      バージョンを表示します。\n";

}  // namespace

int main(int argc, char** argv) {
  namespace cli = pointimport::main;
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    (args.empty() ? std::cerr : std::cout) << kUsage;
    return args.empty() ? cli::kExitError : cli::kExitOk;
  }
  if (args[0] == "--version" || args[0] == "-V") {
    std::cout << "pointimport-cli " POINTIMPORT_VERSION "\n";
    return cli::kExitOk;
  }
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  cli::RegisterSystemObjects();
  if (args[0] == "init") return cli::RunInitCommand(rest, std::cout, std::cerr);
  if (args[0] == "import") return cli::RunImportCommand(rest, std::cout, std::cerr);
  if (args[0] == "convert") return cli::RunConvertCommand(rest, std::cout, std::cerr);
  std::cerr << "不明なコマンドです: " << args[0] << "\n" << kUsage;
  return cli::kExitError;
}

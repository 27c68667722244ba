#include <gtest/gtest.h>

#include <filesystem>

#include "support/run_program.h"
#include "support/temp_dir.h"
#include "support/test_database.h"

namespace pointimport::test_support {
namespace {

TEST(CliInit, CreatesTheSchemaAndLeavesItAloneWhenRunAgain) {
  TempDir dir;
  const auto database = dir.File("points.mdb");
  const auto first = RunProgram("pointimport-cli", {"init", "--database", database.string()});
  EXPECT_EQ(first.exitCode, 0) << first.err;
  EXPECT_EQ(QueryRows(database, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"),
            (std::vector<std::string>{"EVENT", "PERSON", "RESULT"}));

  OpenTestConnection(database)->Execute(u"INSERT INTO EVENT (ID) VALUES ('E1')");
  const std::string before = ReadFileBytes(database);
  const auto second = RunProgram("pointimport-cli", {"init", "--database", database.string()});
  EXPECT_EQ(second.exitCode, 0) << second.err;
  EXPECT_NE(second.out.find("既にあります"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(database), before);
}

TEST(CliInit, RefusesAnotherFileAndLeavesItByteForByte) {
  TempDir dir;
  const auto text = dir.File("notes.txt");
  WriteFileBytes(text, "ranking notes\n");
  const auto result = RunProgram("pointimport-cli", {"init", "--database", text.string()});
  EXPECT_NE(result.exitCode, 0);
  EXPECT_FALSE(result.err.empty());
  EXPECT_EQ(ReadFileBytes(text), "ranking notes\n");
}

// The default database lies in the program's folder, also when the folder's
// name is not UTF-8 (CP932 bytes, as an archive from a Japanese system
// unpacks).
TEST(CliInit, FindsTheProgramFolderByItsOwnBytes) {
  TempDir dir;
  const auto folder = dir.Path() / "\x93\xfa\x96\x7b";
  std::filesystem::create_directory(folder);
  const auto program = folder / "pointimport-cli";
  std::filesystem::copy_file(std::filesystem::path(POINTIMPORT_BINARY_DIR) / "pointimport-cli", program);
  const auto result = RunCommand(program.string(), {"init"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_TRUE(std::filesystem::exists(folder / "RovevizoduziDivoz.mdb"));
}

// A WAL database cannot even be read where its shared-memory file cannot be
// made: named as read-only, not as a file of another kind. The file system
// is made read-only in a mount namespace of its own, where the system allows.
TEST(CliReadOnly, NamesAWalDatabaseOnAReadOnlyFileSystem) {
  TempDir dir;
  const auto database = dir.File("points.mdb");
  CreateTestDatabase(database);
  QueryRows(database, "PRAGMA journal_mode = WAL");
  const std::string readOnly =
      "mount --bind \"$1\" \"$1\" && mount -o remount,bind,ro \"$1\" && shift && exec \"$@\"";
  if (RunCommand("unshare", {"-m", "sh", "-c", readOnly, "sh", dir.Path().string(), "true"}).exitCode != 0) {
    GTEST_SKIP() << "no read-only mount here";
  }
  const std::string cli = std::string(POINTIMPORT_BINARY_DIR) + "/pointimport-cli";
  for (const std::string command : {"init", "import"}) {
    std::vector<std::string> args = {"-m", "sh",    "-c",         readOnly,         "sh", dir.Path().string(),
                                     cli,  command, "--database", database.string()};
    if (command == "import") args.push_back("lap.xml");
    const auto result = RunCommand("unshare", args);
    EXPECT_EQ(result.exitCode, 2) << command;
    EXPECT_NE(result.err.find("読み取り専用"), std::string::npos) << command << ": " << result.err;
  }
}

TEST(CliInit, RefusesUnknownArguments) {
  EXPECT_EQ(RunProgram("pointimport-cli", {"init", "--bogus"}).exitCode, 2);
  EXPECT_EQ(RunProgram("pointimport-cli", {"frobnicate"}).exitCode, 2);
  EXPECT_EQ(RunProgram("pointimport-cli", {"--help"}).exitCode, 0);
}

}  // namespace
}  // namespace pointimport::test_support

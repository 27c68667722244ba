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

TEST(CliInit, RefusesUnknownArguments) {
  EXPECT_EQ(RunProgram("pointimport-cli", {"init", "--bogus"}).exitCode, 2);
  EXPECT_EQ(RunProgram("pointimport-cli", {"frobnicate"}).exitCode, 2);
  EXPECT_EQ(RunProgram("pointimport-cli", {"--help"}).exitCode, 0);
}

}  // namespace
}  // namespace pointimport::test_support

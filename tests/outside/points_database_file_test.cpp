#include "outside/points_database_file.h"

#include <gtest/gtest.h>

#include "convert/utf.h"
#include "support/temp_dir.h"
#include "support/test_database.h"

namespace pointimport::outside {
namespace {

using test_support::QueryRows;
using test_support::ReadFileBytes;
using test_support::TempDir;
using test_support::WriteFileBytes;

std::u16string U16(const std::filesystem::path& path) { return convert::Utf8ToUtf16(path.string()); }

TEST(CreatePointsDatabase, CreatesTheThreeTablesAndIndexes) {
  TempDir dir;
  const auto path = dir.File("RovevizoduziDivoz.mdb");
  EXPECT_EQ(CreatePointsDatabase(U16(path)).status, CreateDatabaseStatus::Created);
  EXPECT_EQ(QueryRows(path, "SELECT type, name FROM sqlite_master WHERE name NOT LIKE 'sqlite_%' ORDER BY name"),
            (std::vector<std::string>{"table\tEVENT", "table\tPERSON", "table\tRESULT",
                                      "index\tRESULT_EVENT_ID", "index\tRESULT_PERSON_ID"}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1)
      << "no temporary file is left behind";
}

TEST(CreatePointsDatabase, LeavesAnExistingFileByteForByte) {
  TempDir dir;
  const auto database = dir.File("points.mdb");
  ASSERT_EQ(CreatePointsDatabase(U16(database)).status, CreateDatabaseStatus::Created);
  test_support::OpenTestConnection(database)->Execute(u"INSERT INTO EVENT (ID) VALUES ('E1')");
  const std::string before = ReadFileBytes(database);
  EXPECT_EQ(CreatePointsDatabase(U16(database)).status, CreateDatabaseStatus::AlreadyExists);
  EXPECT_EQ(ReadFileBytes(database), before);

  const auto text = dir.File("notes.txt");
  WriteFileBytes(text, "not a database\n");
  EXPECT_EQ(CreatePointsDatabase(U16(text)).status, CreateDatabaseStatus::Refused);
  EXPECT_EQ(ReadFileBytes(text), "not a database\n");

  const auto empty = dir.File("empty.mdb");
  WriteFileBytes(empty, "");
  EXPECT_EQ(CreatePointsDatabase(U16(empty)).status, CreateDatabaseStatus::Refused);
  EXPECT_EQ(ReadFileBytes(empty), "");
}

TEST(CreatePointsDatabase, FailsInAMissingFolder) {
  TempDir dir;
  const auto result = CreatePointsDatabase(U16(dir.File("missing/points.mdb")));
  EXPECT_EQ(result.status, CreateDatabaseStatus::Failed);
  EXPECT_FALSE(std::filesystem::exists(dir.File("missing")));
}

}  // namespace
}  // namespace pointimport::outside

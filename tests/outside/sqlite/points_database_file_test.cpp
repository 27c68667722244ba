#include "outside/sqlite/points_database_file.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <thread>

#include "convert/utf.h"
#include "support/temp_dir.h"
#include "support/test_database.h"

namespace pointimport::outside::sqlite {
namespace {

using test_support::QueryRows;
using test_support::ReadFileBytes;
using test_support::TempDir;
using test_support::WriteFileBytes;

std::u16string U16(const std::filesystem::path& path) { return convert::PathFromNative(path.string()); }

TEST(CreatePointsDatabase, CreatesTheThreeTablesAndIndexes) {
  for (const char* name : {"RovevizoduziDivoz.mdb", "caf\xE9.mdb"}) {  // a Latin-1 name is no UTF-8
    TempDir dir;
    const auto path = dir.File(name);
    EXPECT_EQ(CreatePointsDatabase(U16(path)).status, CreateDatabaseStatus::Created);
    EXPECT_EQ(
        QueryRows(path, "SELECT type, name FROM sqlite_master WHERE name NOT LIKE 'sqlite_%' ORDER BY name"),
        (std::vector<std::string>{"table\tEVENT", "table\tPERSON", "table\tRESULT", "index\tRESULT_EVENT_ID",
                                  "index\tRESULT_PERSON_ID", "view\tRESULT_VIEW"}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1)
        << "no temporary file is left behind";
  }
}

// Places keep the integer their literal gives, so that they sort as numbers;
// the view adds the ISO date, the place where it is one and the seconds.
TEST(CreatePointsDatabase, ResultViewJoinsEachResultWithItsEventAndPerson) {
  TempDir dir;
  const auto path = dir.File("RovevizoduziDivoz.mdb");
  test_support::CreateTestDatabase(path);
  auto connection = test_support::OpenTestConnection(path);
  for (const std::u16string row :
       {u"'A', 'M21', 1, '0:30:00', 100", u"'B', 'M21', 10, '1:05:07', 46.1", u"'C', 'M21', 2, '0:31:00', 96.8",
        u"'D', 'M21', '', '失格', 0", u"'E', 'M21', 'OP', '0:40:00', 0"}) {
    connection->Execute(
        u"INSERT INTO RESULT  ( EVENT_ID, PERSON_ID, CLASS, PLACE, RESULT, POINT )  VALUES (   'E1', " + row +
        u" ) ");
  }
  connection->Execute(
      u"INSERT INTO EVENT  ( ID, NAME, TERRAIN, EVENT_DATE )  VALUES (   'E1', '大会', '', "
      u"'2005/04/10 00:00:00' ) ");
  connection->Execute(u"INSERT INTO PERSON  ( ID, NAME, CLUB, SEX )  VALUES (   'A', '山田', 'OLC', 'M' ) ");
  connection->Close();

  EXPECT_EQ(QueryRows(path, "SELECT PLACE FROM RESULT ORDER BY PLACE", true),
            (std::vector<std::string>{"1|integer", "2|integer", "10|integer", "|text", "OP|text"}));
  EXPECT_EQ(
      QueryRows(path, "SELECT * FROM RESULT_VIEW WHERE PERSON_ID IN ('A', 'D', 'E') ORDER BY PERSON_ID", true),
      (std::vector<std::string>{
          "E1|text\t大会|text\t2005-04-10|text\tM21|text\t1|integer\tA|text\t山田|text\tOLC|text\tM|text\t"
          "0:30:00|text\t1800|integer\t100.0|real",
          "E1|text\t大会|text\t2005-04-10|text\tM21|text\tNULL|null\tD|text\tNULL|null\tNULL|null\tNULL|null\t"
          "失格|text\tNULL|null\t0.0|real",
          "E1|text\t大会|text\t2005-04-10|text\tM21|text\tNULL|null\tE|text\tNULL|null\tNULL|null\tNULL|null\t"
          "0:40:00|text\t2400|integer\t0.0|real"}));
  EXPECT_EQ(QueryRows(path, "SELECT PERSON_ID, SECONDS FROM RESULT_VIEW WHERE PERSON_ID = 'B'"),
            std::vector<std::string>{"B\t3907"});
}

TEST(CreatePointsDatabase, LeavesAnExistingFileByteForByte) {
  TempDir dir;
  const auto database = dir.File("points.mdb");
  ASSERT_EQ(CreatePointsDatabase(U16(database)).status, CreateDatabaseStatus::Created);
  test_support::OpenTestConnection(database)->Execute(u"INSERT INTO EVENT (ID) VALUES ('E1')");
  const std::string before = ReadFileBytes(database);
  EXPECT_EQ(CreatePointsDatabase(U16(database)).status, CreateDatabaseStatus::AlreadyExists);
  EXPECT_EQ(ReadFileBytes(database), before);

  // Also while another program holds it for a moment.
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(database.c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  std::thread release([other] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
  });
  EXPECT_EQ(CreatePointsDatabase(U16(database)).status, CreateDatabaseStatus::AlreadyExists);
  release.join();
  sqlite3_close(other);
  EXPECT_EQ(ReadFileBytes(database), before);

  const auto text = dir.File("notes.txt");
  WriteFileBytes(text, "not a database\n");
  EXPECT_EQ(CreatePointsDatabase(U16(text)).status, CreateDatabaseStatus::Refused);
  EXPECT_EQ(ReadFileBytes(text), "not a database\n");

  const auto empty = dir.File("empty.mdb");
  WriteFileBytes(empty, "");
  EXPECT_EQ(CreatePointsDatabase(U16(empty)).status, CreateDatabaseStatus::Refused);
  EXPECT_EQ(ReadFileBytes(empty), "");

  const auto dangling = dir.File("dangling.mdb");
  std::filesystem::create_symlink(dir.File("nowhere.mdb"), dangling);
  const auto refused = CreatePointsDatabase(U16(dangling));
  EXPECT_EQ(refused.status, CreateDatabaseStatus::Refused);
  EXPECT_NE(convert::Utf16ToUtf8(refused.reason).find("シンボリックリンク"), std::string::npos);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 4)
      << "nothing created beside the link, nor where it points";
}

TEST(CreatePointsDatabase, FailsInAMissingFolder) {
  TempDir dir;
  const auto result = CreatePointsDatabase(U16(dir.File("missing/points.mdb")));
  EXPECT_EQ(result.status, CreateDatabaseStatus::Failed);
  EXPECT_FALSE(std::filesystem::exists(dir.File("missing")));
}

}  // namespace
}  // namespace pointimport::outside::sqlite

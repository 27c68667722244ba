#include "outside/sqlite/sqlite_connection.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cctype>
#include <chrono>
#include <optional>
#include <thread>

#include "convert/runtime_error.h"
#include "convert/utf.h"
#include "outside/transaction.h"
#include "support/temp_dir.h"
#include "support/test_database.h"

namespace pointimport::outside::sqlite {
namespace {

using convert::RuntimeError;
using convert::Variant;
using test_support::QueryRows;
using test_support::TempDir;

class SqliteConnectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test_support::CreateTestDatabase(path_);
    connection_ = test_support::OpenTestConnection(path_);
  }

  std::vector<std::string> Rows(const std::string& sql) { return QueryRows(path_, sql); }

  // The description of the error that statement raises.
  std::string ErrorOf(const std::u16string& statement) {
    try {
      connection_->Execute(statement);
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.Number(), convert::error_number::kDatabaseError);
      return convert::Utf16ToUtf8(error.Description());
    }
    ADD_FAILURE() << "no error";
    return {};
  }

  TempDir dir_;
  std::filesystem::path path_ = dir_.File("RovevizoduziDivoz.mdb");
  std::shared_ptr<SqliteConnection> connection_;
};

// Opening a connection string and the description of its failure.
std::string OpenError(const std::u16string& connectionString) {
  SqliteConnection connection(test_support::kTestBusyTimeout);
  try {
    connection.Open(connectionString);
  } catch (const RuntimeError& error) {
    return convert::Utf16ToUtf8(error.Description());
  }
  return "opened";
}

TEST(SqliteConnectionOpen, FailsWithTheCauseAndCreatesNothing) {
  TempDir dir;
  const auto missing = dir.File("RovevizoduziDivoz.mdb");
  EXPECT_NE(OpenError(test_support::ConnectionStringFor(missing)).find("見つかりません"), std::string::npos);

  const auto text = dir.File("text.mdb");
  test_support::WriteFileBytes(text, std::string(4096, 'x'));
  EXPECT_NE(OpenError(test_support::ConnectionStringFor(text)).find("not a database"), std::string::npos);

  for (const char* engine : {"Jet", "ACE"}) {
    const auto access = dir.File(std::string(engine) + ".mdb");
    test_support::WriteFileBytes(
        access, std::string("\x00\x01\x00\x00Standard ", 13) + engine + " DB" + std::string(4096, '\0'));
    EXPECT_NE(OpenError(test_support::ConnectionStringFor(access)).find("Access のデータベースファイルです"),
              std::string::npos);
  }

  const auto other = dir.File("other.mdb");
  {
    test_support::CreateTestDatabase(other);
    test_support::OpenTestConnection(other)->Execute(u"DROP TABLE PERSON");
  }
  EXPECT_NE(OpenError(test_support::ConnectionStringFor(other)).find("PERSON"), std::string::npos);

  EXPECT_NE(OpenError(u"DRIVER=x;DefaultDir=/tmp").find("DBQ"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_EQ(test_support::ReadFileBytes(text), std::string(4096, 'x'));
}

// The tables with one column left out, written in lower case as an operator
// might; the open names the table and the column, and changes nothing.
TEST(SqliteConnectionOpen, RefusesADatabaseWithoutAColumnTheStatementsUse) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> tables = {
      {"EVENT", {"id", "name", "terrain", "event_date"}},
      {"PERSON", {"id", "name", "club", "sex"}},
      {"RESULT", {"event_id", "person_id", "class", "place", "result", "point"}},
  };
  for (const auto& [missingTable, columns] : tables) {
    for (const auto& missingColumn : columns) {
      TempDir dir;
      const auto path = dir.File("RovevizoduziDivoz.mdb");
      std::string schema;
      for (const auto& [table, tableColumns] : tables) {
        std::string list = "own_column";
        for (const auto& column : tableColumns) {
          if (table != missingTable || column != missingColumn) list += ", " + column;
        }
        schema += "CREATE TABLE " + table + " (" + list + ");";
      }
      sqlite3* db = nullptr;
      ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
      ASSERT_EQ(sqlite3_exec(db, schema.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
      sqlite3_close(db);
      const std::string before = test_support::ReadFileBytes(path);

      std::string upperColumn = missingColumn;
      for (char& c : upperColumn) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      EXPECT_EQ(OpenError(test_support::ConnectionStringFor(path)), "ポイントデータベースの " + missingTable +
                                                                        " テーブルに列 " + upperColumn +
                                                                        " がありません: " + path.string());
      EXPECT_EQ(test_support::ReadFileBytes(path), before) << missingColumn;
    }
  }
}

// Another program's write lock, held for a moment or for longer than the
// busy timeout: the first is waited for, the second reported as a lock.
TEST(SqliteConnectionOpen, WaitsForALockedDatabaseAndNamesALockThatStays) {
  const struct {
    std::optional<std::chrono::milliseconds> heldFor;
    std::string expected;
  } cases[] = {{std::chrono::milliseconds(300), "opened"}, {std::nullopt, "他のプログラムに使われています"}};
  for (const auto& lock : cases) {
    TempDir dir;
    const auto path = dir.File("RovevizoduziDivoz.mdb");
    test_support::CreateTestDatabase(path);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    std::thread release([&] {
      if (!lock.heldFor) return;
      std::this_thread::sleep_for(*lock.heldFor);
      sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    });
    EXPECT_NE(OpenError(test_support::ConnectionStringFor(path)).find(lock.expected), std::string::npos);
    release.join();
    sqlite3_close(other);
  }
}

// Folders whose names look like more of the connection string, and one
// whose name is no UTF-8 (a Latin-1 byte): the bytes of the name reach the
// file system as they are, and no other database is opened.
TEST(SqliteConnectionOpen, OpensTheRightFileWhateverItsFolderIsCalled) {
  for (const char* name : {"a;b=c", "x;DBQ=other.mdb;", "{x}};DBQ={other.mdb}", "caf\xE9"}) {
    TempDir dir;
    const auto folder = dir.File(name);
    std::filesystem::create_directory(folder);
    test_support::CreateTestDatabase(folder / "RovevizoduziDivoz.mdb");
    SqliteConnection connection;
    connection.Open(test_support::ConnectionStringFor(folder / "RovevizoduziDivoz.mdb"));
    Transaction transaction(connection);
    connection.Execute(u"INSERT INTO EVENT (ID) VALUES ('E1')");
    transaction.Commit();
    EXPECT_EQ(QueryRows(folder / "RovevizoduziDivoz.mdb", "SELECT ID FROM EVENT"),
              std::vector<std::string>{"E1"})
        << name;
  }
}

TEST_F(SqliteConnectionTest, RefusesASecondOpen) {
  EXPECT_THROW(connection_->Open(test_support::ConnectionStringFor(path_)), RuntimeError);
}

TEST(SqliteConnectionClose, DoesNothingOnAConnectionThatNeverOpened) {
  SqliteConnection connection;
  EXPECT_NO_THROW(connection.Close());
  EXPECT_THROW(connection.Execute(u"SELECT 1"), RuntimeError);
}

TEST_F(SqliteConnectionTest, RunsEveryStatementShapeOfTheImport) {
  const std::u16string statements[] = {
      u"DELETE FROM EVENT  WHERE ID='E1' ",
      u"DELETE FROM RESULT  WHERE EVENT_ID='E1' ",
      u"INSERT INTO EVENT  ( ID, NAME, TERRAIN, EVENT_DATE )  VALUES (   'E1', '大会', '', "
      u"'2005/04/10 00:00:00' ) ",
      u"INSERT INTO PERSON  ( ID, NAME, CLUB, SEX )  VALUES (   'ＹＡＭＡＤＡ', 'Yamada', '', 'M' ) ",
      u"UPDATE PERSON SET NAME='Yamada' , CLUB='OLC' , SEX='M' WHERE ID = 'ＹＡＭＡＤＡ'",
      u"INSERT INTO RESULT  ( EVENT_ID, PERSON_ID, CLASS, PLACE, RESULT, POINT )  VALUES (   'E1', "
      u"'ＹＡＭＡＤＡ', 'M21', 1, '0:30:00', 66.6666666666667 ) ",
  };
  for (const auto& statement : statements) EXPECT_EQ(connection_->Execute(statement), nullptr);

  auto person = connection_->Execute(u"SELECT * FROM PERSON  WHERE ID = 'ＹＡＭＡＤＡ'");
  ASSERT_NE(person, nullptr);
  ASSERT_FALSE(person->Eof());
  EXPECT_EQ(person->Fields(u"NAME").Value, Variant(u"Yamada"));
  EXPECT_EQ(person->Fields(u"club").Value, Variant(u"OLC"));
  person->MoveNext();
  EXPECT_TRUE(person->Eof());
  EXPECT_THROW(person->Fields(u"NAME"), RuntimeError);
  person->Close();
  EXPECT_THROW(person->Eof(), RuntimeError);

  EXPECT_EQ(Rows("SELECT * FROM RESULT"),
            std::vector<std::string>{"E1\tＹＡＭＡＤＡ\tM21\t1\t0:30:00\t66.6666666666667"});
  EXPECT_EQ(Rows("SELECT * FROM EVENT"), std::vector<std::string>{"E1\t大会\t\t2005/04/10 00:00:00"});
}

TEST_F(SqliteConnectionTest, ReadsEachStorageClassAsItsKind) {
  auto row = connection_->Execute(u"SELECT NULL AS n, 7 AS i, 5000000000 AS big, 1.5 AS r, 'x' AS t");
  EXPECT_EQ(row->Fields(u"n").Value, Variant::Null());
  EXPECT_EQ(row->Fields(u"i").Value, Variant(7));
  EXPECT_EQ(row->Fields(u"big").Value, Variant(5000000000.0));
  EXPECT_EQ(row->Fields(u"r").Value, Variant(1.5));
  EXPECT_EQ(row->Fields(u"t").Value, Variant(u"x"));
  EXPECT_THROW(row->Fields(u"missing"), RuntimeError);
}

// SQLite's UTF-16 interfaces take a leading U+FEFF or U+FFFE for a
// byte-order mark, and read U+FFFE and U+FFFF back as U+FFFD.
TEST_F(SqliteConnectionTest, StoresAndReadsBackTextsAsWritten) {
  const std::u16string texts[] = {
      u"\xFEFF"
      u"ab",
      u"\xFFFE"
      u"ab",
      u"\xFEFF",
      u"\xFFFE",
      u"a\xFFFF",
      u"\xFFFF\xFFFE",
      u"a\xFEFF"
      u"b",
      u"\xD842\xDFB7"};
  int id = 0;
  for (const auto& text : texts) {
    const std::u16string key = convert::Utf8ToUtf16(std::to_string(++id));
    connection_->Execute(u"INSERT INTO PERSON (ID, NAME) VALUES ('" + key + u"', '" + text + u"')");
    EXPECT_EQ(Rows("SELECT NAME FROM PERSON WHERE ID = '" + std::to_string(id) + "'"),
              std::vector<std::string>{convert::Utf16ToUtf8(text)})
        << id;
    const auto row = connection_->Execute(u"SELECT NAME FROM PERSON WHERE ID = '" + key + u"'");
    EXPECT_EQ(row->Fields(u"NAME").Value, Variant(text)) << id;
  }
}

// One shape run over and over: a text the run before bound is not bound
// again only where it is the same, also after a number in its place or a
// long run of texts that changed every time.
TEST_F(SqliteConnectionTest, StoresEveryValueOfAShapeRunOverAndOver) {
  std::vector<std::pair<std::string, std::string>> values = {
      {"'a'", "a\ttext"},      {"'a'", "a\ttext"},      {"1", "1\tinteger"}, {"'a'", "a\ttext"},
      {"'a''b'", "a'b\ttext"}, {"'a''b'", "a'b\ttext"}, {"'ab'", "ab\ttext"}};
  for (int i = 0; i < 40; ++i) {
    values.push_back({"'v" + std::to_string(i) + "'", "v" + std::to_string(i) + "\ttext"});
  }
  for (int i = 0; i < 40; ++i) values.push_back({"'z'", "z\ttext"});
  values.push_back({"2", "2\tinteger"});
  values.push_back({"'z'", "z\ttext"});
  std::vector<std::string> expected;
  for (const auto& [literal, row] : values) {
    connection_->Execute(u"INSERT INTO RESULT (EVENT_ID, PLACE) VALUES ('e', " + convert::Utf8ToUtf16(literal) +
                         u")");
    expected.push_back("e\t" + row);
  }
  EXPECT_EQ(Rows("SELECT EVENT_ID, PLACE, typeof(PLACE) FROM RESULT ORDER BY rowid"), expected);
}

// A shape's cache slot is found once for the skeleton its statements match:
// it must be found anew once more shapes than are kept have taken that
// skeleton's place, and once the connection is opened again on a new cache.
TEST_F(SqliteConnectionTest, StoresAShapeMetAgainAfterOtherShapesAndAfterAReopen) {
  const auto insert = [&](const std::string& value) {
    connection_->Execute(u"INSERT INTO EVENT (ID) VALUES ('" + convert::Utf8ToUtf16(value) + u"')");
  };
  insert("a");
  for (std::size_t i = 0; i <= ShapeScanner::kMaxSkeletons; ++i) {
    connection_->Execute(u"SELECT 1 AS c" + convert::Utf8ToUtf16(std::to_string(i)))->Close();
  }
  insert("b");
  connection_->Close();
  connection_->Open(test_support::ConnectionStringFor(path_));
  insert("c");
  EXPECT_EQ(Rows("SELECT ID FROM EVENT ORDER BY rowid"), (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(SqliteConnectionTest, RejectsMoreThanOneStatementAndRunsNoneOfIt) {
  EXPECT_NE(ErrorOf(u"INSERT INTO EVENT (ID) VALUES ('a'); DROP TABLE PERSON").find("一つだけ"),
            std::string::npos);
  EXPECT_NE(ErrorOf(u"INSERT INTO EVENT (ID) VALUES ('a'); -- x").find("一つだけ"), std::string::npos);
  EXPECT_TRUE(Rows("SELECT * FROM EVENT").empty());
  EXPECT_EQ(Rows("SELECT count(*) FROM sqlite_master WHERE name = 'PERSON'"), std::vector<std::string>{"1"});
  EXPECT_NO_THROW(connection_->Execute(u"INSERT INTO EVENT (ID) VALUES ('a');  \r\n"));
  EXPECT_FALSE(ErrorOf(u"   ").empty());
}

TEST_F(SqliteConnectionTest, ReportsSqlitesOwnMessage) {
  EXPECT_NE(ErrorOf(u"SELEC 1").find("syntax error"), std::string::npos);
  EXPECT_NE(ErrorOf(u"INSERT INTO NOWHERE VALUES (1)").find("no such table"), std::string::npos);
  connection_->Execute(u"PRAGMA query_only = 1");
  EXPECT_NE(ErrorOf(u"INSERT INTO EVENT (ID) VALUES ('a')").find("readonly"), std::string::npos);
}

// A refused statement leaves nothing of itself, whether SQLite undoes it
// (ABORT) or the schema asks to keep what it did so far (FAIL).
TEST(SqliteConnectionSavepoint, UndoesOnlyTheRefusedStatement) {
  for (const char* resolution : {"ABORT", "FAIL"}) {
    TempDir dir;
    const auto path = dir.File("RovevizoduziDivoz.mdb");
    test_support::CreateTestDatabase(path);
    auto connection = test_support::OpenTestConnection(path);
    connection->Execute(
        convert::Utf8ToUtf16(std::string("CREATE TRIGGER refuse AFTER INSERT ON PERSON WHEN NEW.ID = 'bad' "
                                         "BEGIN INSERT INTO EVENT (ID) VALUES (NEW.ID); SELECT RAISE(") +
                             resolution + ", 'refused'); END"));
    {
      Transaction transaction(*connection);
      connection->ExecuteInSavepoint(u"INSERT INTO PERSON (ID) VALUES ('a')");
      EXPECT_THROW(connection->ExecuteInSavepoint(u"INSERT INTO PERSON (ID) VALUES ('bad')"), RuntimeError);
      connection->ExecuteInSavepoint(u"INSERT INTO PERSON (ID) VALUES ('b')");
      transaction.Commit();
    }
    EXPECT_EQ(QueryRows(path, "SELECT ID FROM PERSON ORDER BY ID"), (std::vector<std::string>{"a", "b"}))
        << resolution;
    EXPECT_TRUE(QueryRows(path, "SELECT ID FROM EVENT").empty()) << resolution;
  }
}

TEST_F(SqliteConnectionTest, TransactionRollsBackUnlessCommitted) {
  connection_->Execute(u"INSERT INTO EVENT (ID) VALUES ('old')");
  {
    Transaction transaction(*connection_);
    connection_->Execute(u"DELETE FROM EVENT  WHERE ID='old' ");
    connection_->Execute(u"INSERT INTO EVENT (ID) VALUES ('new')");
  }
  EXPECT_EQ(Rows("SELECT ID FROM EVENT"), std::vector<std::string>{"old"});

  // A transaction ended once commits nothing more, not even what the
  // connection is doing by then.
  Transaction committed(*connection_);
  committed.Commit();
  Transaction rolledBack(*connection_);
  rolledBack.Rollback();
  connection_->BeginTrans();
  connection_->Execute(u"INSERT INTO EVENT (ID) VALUES ('later')");
  EXPECT_THROW(committed.Commit(), RuntimeError);
  EXPECT_THROW(rolledBack.Commit(), RuntimeError);
  connection_->RollbackTrans();
  EXPECT_EQ(Rows("SELECT ID FROM EVENT"), std::vector<std::string>{"old"});
}

TEST_F(SqliteConnectionTest, ReportsALostTransactionInsteadOfWritingOutsideIt) {
  {
    Transaction transaction(*connection_);
    connection_->Execute(u"ROLLBACK");  // SQLite ends the transaction by itself, as on a full disk
    EXPECT_THROW(connection_->Execute(u"INSERT INTO EVENT (ID) VALUES ('x')"), RuntimeError);
    EXPECT_THROW(transaction.Commit(), RuntimeError);
  }
  EXPECT_TRUE(Rows("SELECT * FROM EVENT").empty());
}

}  // namespace
}  // namespace pointimport::outside::sqlite

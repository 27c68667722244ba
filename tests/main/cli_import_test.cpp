#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/iof_writer.h"
#include "support/run_program.h"
#include "support/temp_dir.h"
#include "support/test_database.h"

namespace pointimport::test_support {
namespace {

class CliImportTest : public ::testing::Test {
 protected:
  void SetUp() override { CreateTestDatabase(database_); }

  ProgramOutput Import(std::vector<std::string> args) {
    args.insert(args.begin(), {"import", "--database", database_.string()});
    return RunProgram("pointimport-cli", args);
  }

  std::filesystem::path File(const std::string& name, const IofEvent& event) {
    const auto path = dir_.File(name);
    WriteIofFile(path, event);
    return path;
  }

  std::vector<std::string> Rows(const std::string& sql) { return QueryRows(database_, sql); }

  TempDir dir_;
  std::filesystem::path database_ = dir_.File("RovevizoduziDivoz.mdb");
};

// Events A, B, C... of the same runners: each its own name and times (in
// the same ratios, so the same points), since one event under two keywords
// is not imported twice.
IofEvent SmallEvent(const std::string& id) {
  IofEvent event;
  event.id = id;
  const int scale = id.empty() ? 1 : 1 + (id[0] - 'A');
  if (!id.empty()) event.name += " " + id;
  event.classes = {{"M21",
                    {{"山田", "太郎", "東京OLC", "M", "OK", 1500 * scale, 1},
                     {"鈴木", "一郎", "", "M", "OK", 1800 * scale, 2},
                     {"佐藤", "次郎", "", "M", "OK", 2100 * scale, 3},
                     {"高橋", "三郎", "", "M", "MissingPunch", 2000 * scale, std::nullopt}}}};
  return event;
}

TEST_F(CliImportTest, ImportsEachFileAndReportsIt) {
  const auto result =
      Import({File("a.xml", SmallEvent("A")).string(), File("b.xml", SmallEvent("B")).string()});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.out.find("キーワード: A"), std::string::npos);
  EXPECT_NE(result.out.find("書き込んだ結果行: 4"), std::string::npos);
  EXPECT_EQ(Rows("SELECT ID FROM EVENT ORDER BY ID"), (std::vector<std::string>{"A", "B"}));
  // The same runners in B: found, not new; A again replaces A's rows.
  const auto again = Import({File("a.xml", SmallEvent("A")).string()});
  for (const char* line :
       {"  置き換えた結果行: 0\n  新規個人: 4\n  補完した個人: 0\n  0 ポイント: 1 (順位なし 1)\n  注意: 0\n",
        "  置き換えた結果行: 0\n  新規個人: 0\n"}) {
    EXPECT_NE(result.out.find(line), std::string::npos) << line << "\n" << result.out;
  }
  EXPECT_NE(again.out.find("  置き換えた結果行: 4\n  新規個人: 0\n"), std::string::npos) << again.out;
  EXPECT_EQ(Rows("SELECT POINT FROM RESULT WHERE EVENT_ID = 'A' ORDER BY rowid"),
            (std::vector<std::string>{"120.0", "100.0", "85.7142857142857", "0.0"}));
}

// A CSV list and an IOF list of the same runners make the same statements;
// only the event row differs, since a CSV list names no event and no date.
TEST_F(CliImportTest, CsvAndIofListsOfTheSameRunnersWriteTheSameStatements) {
  IofEvent iof = SmallEvent("");
  iof.classes[0].persons.push_back({"伊藤", "花子", "", "F", "DidNotStart", std::nullopt, std::nullopt});
  const auto iofFile = dir_.File("iof/season.xml");
  std::filesystem::create_directories(iofFile.parent_path());
  WriteIofFile(iofFile, iof);
  const auto csvFile = dir_.File("season.csv");
  WriteFileBytes(csvFile,
                 "Stno;Surname;First name;YB;S;Time;Classifier;City;Short;Pl\r\n"
                 "1;山田;太郎;;M;25:00;0;東京OLC;M21;1\r\n"
                 "2;鈴木;一郎;;M;30:00;0;;M21;2\r\n"
                 "3;佐藤;次郎;;M;35:00;0;;M21;3\r\n"
                 "4;高橋;三郎;;M;33:20;3;;M21;\r\n"
                 "5;伊藤;花子;;F;;1;;M21;\r\n");
  const auto statements = [this](const std::filesystem::path& file) {
    const auto run = Import({"--dry-run", "--echo-sql", file.string()});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return run.err;
  };
  const std::string fromIof = statements(iofFile);
  const std::string fromCsv = statements(csvFile);
  const std::string iofEventRow = "  'season', 'テスト大会', '', '2024/05/12 00:00:00' ) \n";
  const std::string csvEventRow = "  'season', '', '', '' ) \n";
  ASSERT_NE(fromIof.find(iofEventRow), std::string::npos) << fromIof;
  std::string expected = fromIof;
  expected.replace(expected.find(iofEventRow), iofEventRow.size(), csvEventRow);
  EXPECT_EQ(fromCsv, expected);
  EXPECT_NE(fromCsv.find("INSERT INTO RESULT"), std::string::npos);
}

TEST_F(CliImportTest, ExitStatusTellsWhatWentWrongAndTheOtherFilesStillRun) {
  OpenTestConnection(database_)->Execute(
      u"CREATE TRIGGER no_result BEFORE INSERT ON RESULT WHEN NEW.PERSON_ID = '鈴木一郎' "
      u"BEGIN SELECT RAISE(ABORT, 'refused'); END");
  const auto someFailed = Import({File("a.xml", SmallEvent("A")).string()});
  EXPECT_EQ(someFailed.exitCode, 1);
  EXPECT_NE(someFailed.out.find("[RESULT更新失敗] M21 鈴木 一郎"), std::string::npos);

  const auto unreadable = dir_.File("notes.xml");
  WriteFileBytes(unreadable, "ranking notes\n");
  const auto missing = Import({unreadable.string(), File("b.xml", SmallEvent("B")).string()});
  EXPECT_EQ(missing.exitCode, 2);
  // The reason follows where the component gives one.
  const std::string cannotOpen = "ファイルを開けません: " + unreadable.string();
  const std::string firstLine = missing.err.substr(0, missing.err.find('\n'));
  EXPECT_TRUE(firstLine == cannotOpen || firstLine.starts_with(cannotOpen + ": ")) << missing.err;
  EXPECT_EQ(Rows("SELECT ID FROM EVENT ORDER BY ID"), (std::vector<std::string>{"A", "B"}));

  OpenTestConnection(database_)->Execute(
      u"CREATE TRIGGER no_event BEFORE INSERT ON EVENT WHEN NEW.ID = 'C' BEGIN SELECT RAISE(ABORT, 'closed'); "
      u"END");
  const auto stopped =
      Import({File("c.xml", SmallEvent("C")).string(), File("d.xml", SmallEvent("D")).string()});
  EXPECT_EQ(stopped.exitCode, 2);
  EXPECT_NE(stopped.err.find("closed"), std::string::npos);
  EXPECT_NE(stopped.err.find("\n何も書き込んでいません。\n"), std::string::npos);
  EXPECT_EQ(Rows("SELECT ID FROM EVENT ORDER BY ID"), (std::vector<std::string>{"A", "B", "D"}));
  EXPECT_EQ(Rows("SELECT count(*) FROM RESULT WHERE EVENT_ID = 'C'"), std::vector<std::string>{"0"});

  // Not one result row written: taken back, as rows that failed.
  OpenTestConnection(database_)->Execute(
      u"CREATE TRIGGER no_results BEFORE INSERT ON RESULT WHEN NEW.EVENT_ID = 'E' BEGIN SELECT RAISE(IGNORE); "
      u"END");
  const auto noneWritten = Import({File("e.xml", SmallEvent("E")).string()});
  EXPECT_EQ(noneWritten.exitCode, 1);
  EXPECT_NE(noneWritten.err.find("取込を取り消しました"), std::string::npos) << noneWritten.err;
}

TEST_F(CliImportTest, NeverCreatesADatabase) {
  const auto missingDatabase = dir_.File("none.mdb");
  const auto result = RunProgram("pointimport-cli", {"import", "--database", missingDatabase.string(),
                                                     File("a.xml", SmallEvent("A")).string()});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_NE(result.err.find("データベースに接続できません"), std::string::npos);
  EXPECT_NE(result.err.find("pointimport-cli init"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(missingDatabase));
  EXPECT_EQ(Import({}).exitCode, 2);
  EXPECT_EQ(Import({"--bogus"}).exitCode, 2);
}

TEST_F(CliImportTest, TakesOptionValuesEitherWayAndNamesAMissingOne) {
  const std::string file = File("a.xml", SmallEvent("A")).string();
  const struct {
    std::vector<std::string> args;
    const char* message;
  } usageErrors[] = {
      {{"import", file, "--database"}, "--database には値が必要です"},
      {{"import", "--database=", file}, "--database には値が必要です"},
      {{"import", "--report", "--dry-run", file}, "--report には値が必要です"},
      {{"import", "--report=r.txt", file}, ".csv か .html"},
      {{"init", "--database"}, "--database には値が必要です"},
      // Known before anything is imported.
      {{"import", "--database", database_.string(), "--report", dir_.File("none/r.csv").string(), file},
       "レポートを書き込めません"},
  };
  for (const auto& c : usageErrors) {
    const auto result = RunProgram("pointimport-cli", c.args);
    EXPECT_EQ(result.exitCode, 2) << c.message;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
  }
  EXPECT_EQ(Rows("SELECT count(*) FROM EVENT"), std::vector<std::string>{"0"});
  const auto joined = RunProgram("pointimport-cli", {"import", "--database=" + database_.string(), file});
  EXPECT_EQ(joined.exitCode, 0) << joined.err;
  EXPECT_EQ(Rows("SELECT count(*) FROM EVENT"), std::vector<std::string>{"1"});
}

TEST_F(CliImportTest, DryRunLeavesTheDatabaseByteForByte) {
  ASSERT_EQ(Import({File("a.xml", SmallEvent("A")).string()}).exitCode, 0);
  const std::string before = ReadFileBytes(database_);
  IofEvent changed = SmallEvent("A");
  changed.classes[0].persons.pop_back();
  const auto report = dir_.File("preview.csv");
  const auto result = Import({"--dry-run", "--report", report.string(), File("a2.xml", changed).string()});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.out.find("書き込む結果行 (試行のため書き込んでいません): 3"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(database_), before);
  // The operator's preview: the rows that would be written.
  const std::string csv = ReadFileBytes(report);
  EXPECT_TRUE(csv.starts_with("\xEF\xBB\xBFイベント,")) << csv;
  EXPECT_NE(csv.find("\r\nA,1,M21,3,佐藤 次郎,,佐藤次郎,既存,0:35:00,"), std::string::npos) << csv;
  // An earlier report is replaced, by a file that was whole before it took
  // the report's place.
  ASSERT_EQ(Import({"--dry-run", "--report", report.string(), File("a2.xml", changed).string()}).exitCode, 0);
  EXPECT_EQ(ReadFileBytes(report), csv);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.Path()), {}), 4);
}

// "--report *.csv" among CSV lap files takes the first of them for the
// report's name; it and every other file the report would destroy is refused
// before anything is imported.
TEST_F(CliImportTest, RefusesAReportThatWouldReplaceAnInputOrNoReport) {
  namespace fs = std::filesystem;
  const std::string xml = File("a.xml", SmallEvent("A")).string(), csv = dir_.File("b.csv").string();
  WriteFileBytes(
      csv, "Stno;Surname;First name;YB;S;Time;Classifier;City;Short;Pl\r\n1;山田;太郎;;M;25:00;0;;M21;1\r\n");
  fs::create_symlink(xml, dir_.File("link.csv"));
  ASSERT_EQ(::mkfifo(dir_.File("fifo.csv").c_str(), 0600), 0);
  fs::create_directory(dir_.File("folder.csv"));
  const struct {
    std::vector<std::string> args;
    const char* reason;
  } cases[] = {
      {{"--report", csv, csv}, "読み込むファイルと同じファイルです"},
      {{"--dry-run", "--report", dir_.File("link.csv").string(), xml}, "読み込むファイルと同じファイルです"},
      {{"--report", dir_.File("fifo.csv").string(), xml}, "通常のファイルではありません"},
      {{"--report", dir_.File("folder.csv").string(), xml}, "フォルダーです"},
      {{"--report", csv, xml}, "レポートではないファイルが既にあります"},
  };
  const std::string before = ReadFileBytes(xml) + ReadFileBytes(csv);
  for (const auto& c : cases) {
    const auto result = Import(c.args);
    EXPECT_EQ(result.exitCode, 2) << c.reason;
    EXPECT_NE(result.err.find(c.reason), std::string::npos) << result.err;
  }
  EXPECT_EQ(ReadFileBytes(xml) + ReadFileBytes(csv), before);
  EXPECT_EQ(Rows("SELECT count(*) FROM EVENT"), std::vector<std::string>{"0"});
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.Path()), {}), 6);
}

TEST_F(CliImportTest, EchoesEveryStatementAsExecuted) {
  IofEvent event;
  event.id = "X'1";
  event.name = "大会";
  event.date = "2024-05-12";
  event.classes = {{"W21", {{"伊藤", "花子", "OLC", "F", "OK", 1200, 1}}}};
  const auto result = Import({"--echo-sql", File("x.xml", event).string()});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err,
            "DELETE FROM EVENT  WHERE ID='X''1' \n"
            "DELETE FROM RESULT  WHERE EVENT_ID='X''1' \n"
            "INSERT INTO EVENT  ( ID, NAME, TERRAIN, EVENT_DATE )  VALUES (   'X''1', '大会', '', '2024/05/12 "
            "00:00:00' ) \n"
            "SELECT * FROM PERSON  WHERE ID = '伊藤花子'\n"
            "INSERT INTO PERSON  ( ID, NAME, CLUB, SEX )  VALUES (   '伊藤花子', '伊藤 花子', 'OLC', 'F' ) \n"
            "INSERT INTO RESULT  ( EVENT_ID, PERSON_ID, CLASS, PLACE, RESULT, POINT )  VALUES (   'X''1', "
            "'伊藤花子', "
            "'W21', 1, '0:20:00', 0 ) \n");
}

// A file whose keyword holds another event, or whose event is stored under
// another keyword, is left out with the facts unless --replace is given; the
// files after it go on.
TEST_F(CliImportTest, LeavesOutAFileThatWouldReplaceAnotherEventUnlessTold) {
  ASSERT_EQ(Import({File("a.xml", SmallEvent("A")).string()}).exitCode, 0);
  IofEvent renamed = SmallEvent("A");
  renamed.name = "別の大会";
  IofEvent copy = SmallEvent("A");
  copy.id = "A2";
  const struct {
    IofEvent event;
    std::string fact;
  } cases[] = {
      {renamed,
       "キーワード「A」で取り込み済みの大会を、このファイルで置き換えます。\n"
       "  取り込み済み: テスト大会 A・2024/05/12・結果 4 行\n"
       "  このファイル: 別の大会・2024/05/12・結果 4 行\n"},
      {copy, "同じ大会がキーワード「A」で取り込み済みです。"},
  };
  for (const auto& c : cases) {
    const std::string storedA =
        "SELECT * FROM EVENT WHERE ID = 'A' UNION ALL SELECT * FROM EVENT WHERE ID = 'A2'";
    const auto before = Rows(storedA);
    const auto refused = Import({File("x.xml", c.event).string(), File("b.xml", SmallEvent("B")).string()});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("取り込みません: " + dir_.File("x.xml").string() + "\n  " + c.fact),
              std::string::npos)
        << refused.err;
    EXPECT_EQ(Rows(storedA), before);
    EXPECT_EQ(Rows("SELECT count(*) FROM EVENT WHERE ID = 'B'"), std::vector<std::string>{"1"});

    const auto replaced = Import({"--replace", File("x.xml", c.event).string()});
    EXPECT_EQ(replaced.exitCode, 0) << replaced.err;
  }
  EXPECT_EQ(Rows("SELECT ID, NAME FROM EVENT ORDER BY ID"),
            (std::vector<std::string>{"A\t別の大会", "A2\tテスト大会 A", "B\tテスト大会 B"}));
}

// The warnings stand before the import's own lines.
TEST_F(CliImportTest, WarnsBeforeImporting) {
  IofEvent undated = SmallEvent("A");
  undated.date = "";
  const auto run = Import({File("a.xml", undated).string()});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("  キーワード: A\n  注意: 大会の日付がありません。\n  クラス: 1\n"), std::string::npos)
      << run.out;
}

}  // namespace
}  // namespace pointimport::test_support

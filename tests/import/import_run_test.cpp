#include "import/import_run.h"

#include <gtest/gtest.h>

#include "convert/runtime_error.h"
#include "import/row_write.h"
#include "support/import_fixture.h"

namespace pointimport::import {
namespace {

using convert::Variant;
using test_support::FakeEvent;
using test_support::Runner;
using test_support::TimeOfDay;

// One class whose reference time is 30 minutes.
FakeEvent ThirtyMinuteEvent() {
  FakeEvent event;
  event.fileName = Variant(u"E1");
  event.eventName = Variant(u"春の大会");
  event.eventDate = Variant::Date(38452.0);
  event.classes = {{u"M21",
                    {Runner(u"山田 太郎", Variant(1), u"0:25:00", u"東京OLC", u"M"),
                     Runner(u"鈴木 一郎", Variant(2), u"0:30:00", u"", u"M"),
                     Runner(u"佐藤 次郎", Variant(3), u"0:35:00", u"大阪OL", u"M"),
                     Runner(u"高橋 三郎", Variant(4), u"0:40:00", u"", u"M"),
                     Runner(u"田中 四郎", Variant(u""), u"失格", u"", u"M")}},
                   {u"W21", {Runner(u"伊藤 花子", Variant(1), u"0:20:00", u"", u"F")}}};
  return event;
}

class ImportRunTest : public test_support::ImportTest {};

TEST_F(ImportRunTest, WritesTheStatementsInOrderExactlyAsTheirTemplates) {
  FakeEvent event;
  event.classes = {{u"M21", {Runner(u"yamada taro", Variant(1), u"0:30:00", u"OLC", u"M")}}};
  Execute(u"INSERT INTO PERSON (ID, NAME, CLUB, SEX) VALUES ('ＹＡＭＡＤＡＴＡＲＯ', 'Yamada', NULL, '')");
  Import(event);
  EXPECT_EQ(statements_,
            (std::vector<std::u16string>{
                u"DELETE FROM EVENT  WHERE ID='E1' ",
                u"DELETE FROM RESULT  WHERE EVENT_ID='E1' ",
                u"INSERT INTO EVENT  ( ID, NAME, TERRAIN, EVENT_DATE )  VALUES (   'E1', '大会', '', '' ) ",
                u"SELECT * FROM PERSON  WHERE ID = 'ＹＡＭＡＤＡＴＡＲＯ'",
                u"UPDATE PERSON SET NAME='Yamada' , CLUB='OLC' , SEX='M' WHERE ID = 'ＹＡＭＡＤＡＴＡＲＯ'",
                u"INSERT INTO RESULT  ( EVENT_ID, PERSON_ID, CLASS, PLACE, RESULT, POINT )  VALUES (   "
                u"'E1', 'ＹＡＭＡＤＡＴＡＲＯ', 'M21', 1, '0:30:00', 0 ) ",
            }));
  EXPECT_EQ(host_.events, (std::vector<std::string>{"pointer 11", "events", "pointer 0", "message"}));
  EXPECT_EQ(host_.messages, std::vector<std::u16string>{u"取り込みました"});
}

TEST_F(ImportRunTest, ReadsTheComponentInAFixedOrder) {
  Execute(u"INSERT INTO PERSON VALUES ('山田太郎', '山田 太郎', 'OLC', 'M')");
  Execute(
      u"CREATE TRIGGER no_person BEFORE INSERT ON PERSON WHEN NEW.ID = '佐藤次郎' "
      u"BEGIN SELECT RAISE(ABORT, 'refused'); END");
  Execute(
      u"CREATE TRIGGER no_result BEFORE INSERT ON RESULT WHEN NEW.PERSON_ID = '佐藤次郎' "
      u"BEGIN SELECT RAISE(ABORT, 'refused'); END");
  FakeEvent event;
  event.classes = {
      {u"M21",
       {Runner(u"山田 太郎", Variant(1), u"0:25:00", u"OLC", u"M"),
        Runner(u"鈴木 一郎", Variant(2), u"0:30:00"), Runner(u"佐藤 次郎", Variant(3), u"0:35:00")}}};
  test_support::FakeLapComponent component(event);
  RunImport(logged_, component, host_);
  const std::vector<std::string> insert = {"EventData", "FileName", "ClassName", "Rank", "Result"};
  const std::vector<std::string> failureLine = {"ClassData 1", "ClassData.ClassName", "RunnerName"};
  // The report adds ToString and Provisional before the first statement, the
  // class's name once after AddClass, and the file's club for every result.
  std::vector<std::vector<std::string>> expected = {
      {"EventData", "ToString", "Provisional", "FileName", "FileName", "EventName", "Terrain", "EventDate",
       "NewResultsHolder", "ClassCount"},
      {"Clear", "AddClass 1", "ClassData 1", "ClassData.ClassName", "Count", "Item 1", "Result", "Item 2",
       "Result", "Item 3", "Result", "Count"},
      {"Item 1", "Rank", "Result", "RunnerName", "ClubName"},  // found with every field filled
      insert,
      {"Item 2", "Rank", "Result", "RunnerName", "RunnerName", "ClubName", "Sex"},
      insert,
      {"Item 3", "Rank", "Result", "RunnerName", "RunnerName", "ClubName", "Sex"},
      failureLine,
      insert,
      failureLine,
  };
  std::vector<std::string> calls;
  for (const auto& part : expected) calls.insert(calls.end(), part.begin(), part.end());
  EXPECT_EQ(component.calls, calls);
}

TEST_F(ImportRunTest, GivesPointsAgainstTheClassReference) {
  const ImportSummary summary = Import(ThirtyMinuteEvent());
  EXPECT_EQ(summary.classCount, 2);
  EXPECT_EQ(summary.resultRowsWritten, 6);
  EXPECT_TRUE(summary.failures.empty());
  EXPECT_EQ(Rows("SELECT CLASS, PERSON_ID, PLACE, RESULT, POINT FROM RESULT ORDER BY rowid"),
            (std::vector<std::string>{
                "M21\t山田太郎\t1\t0:25:00\t120.0", "M21\t鈴木一郎\t2\t0:30:00\t100.0",
                "M21\t佐藤次郎\t3\t0:35:00\t85.7142857142857", "M21\t高橋三郎\t4\t0:40:00\t75.0",
                "M21\t田中四郎\t\t失格\t0.0",
                "W21\t伊藤花子\t1\t0:20:00\t0.0",  // a class of one has no reference
            }));
  EXPECT_EQ(Rows("SELECT * FROM EVENT"), std::vector<std::string>{"E1\t春の大会\t\t2005/04/10 00:00:00"});
}

TEST_F(ImportRunTest, ImportingTwiceLeavesTheSameRowsAsOnce) {
  Import(ThirtyMinuteEvent());
  const auto once = Snapshot();
  Import(ThirtyMinuteEvent());
  EXPECT_EQ(Snapshot(), once);
  EXPECT_EQ(std::count_if(statements_.begin(), statements_.end(),
                          [](const auto& s) { return s.starts_with(u"UPDATE PERSON"); }),
            6);
}

TEST_F(ImportRunTest, ReplacesOnlyItsOwnEvent) {
  FakeEvent other = ThirtyMinuteEvent();
  other.fileName = Variant(u"E2");
  Import(other);
  const auto otherRows = Rows("SELECT * FROM RESULT WHERE EVENT_ID = 'E2' ORDER BY rowid");

  FakeEvent first = ThirtyMinuteEvent();
  first.classes.pop_back();
  Import(first);
  FakeEvent replacement;
  replacement.classes = {{u"M35", {Runner(u"新人", Variant(1), u"0:50:00")}}};
  Import(replacement);

  EXPECT_EQ(Rows("SELECT * FROM RESULT WHERE EVENT_ID = 'E2' ORDER BY rowid"), otherRows);
  EXPECT_EQ(Rows("SELECT PERSON_ID, CLASS FROM RESULT WHERE EVENT_ID = 'E1'"),
            std::vector<std::string>{"新人\tM35"});
  EXPECT_EQ(Rows("SELECT ID FROM EVENT ORDER BY ID"), (std::vector<std::string>{"E1", "E2"}));
}

TEST_F(ImportRunTest, KeywordWithApostropheIsReplacedExactly) {
  FakeEvent event = ThirtyMinuteEvent();
  event.fileName = Variant(u"O'Ringen 2024");
  Import(event);
  Import(event);
  EXPECT_EQ(Rows("SELECT count(*) FROM RESULT WHERE EVENT_ID = 'O''Ringen 2024'"),
            std::vector<std::string>{"6"});
  EXPECT_EQ(Rows("SELECT ID FROM EVENT"), std::vector<std::string>{"O'Ringen 2024"});
}

TEST_F(ImportRunTest, CompletesPersonsAndNeverOverwritesThem) {
  Execute(u"INSERT INTO PERSON VALUES ('山田太郎', '山田　太郎', '旧クラブ', 'M')");
  Execute(u"INSERT INTO PERSON VALUES ('鈴木一郎', '鈴木一郎', NULL, '')");
  FakeEvent event = ThirtyMinuteEvent();
  // The same runner in a second class: one person, two results.
  event.classes[1].results.push_back(Runner(u"佐藤　次郎", Variant(2), u"0:22:00", u"別クラブ", u"M"));
  Import(event);
  EXPECT_EQ(Rows("SELECT * FROM PERSON WHERE ID IN ('山田太郎', '鈴木一郎', '佐藤次郎') ORDER BY ID"),
            (std::vector<std::string>{"佐藤次郎\t佐藤 次郎\t大阪OL\tM", "山田太郎\t山田　太郎\t旧クラブ\tM",
                                      "鈴木一郎\t鈴木一郎\t\tM"}));
  EXPECT_EQ(Rows("SELECT count(*) FROM RESULT WHERE PERSON_ID = '佐藤次郎'"), std::vector<std::string>{"2"});
}

TEST_F(ImportRunTest, RunnersWithoutAnIdShareOnePerson) {
  FakeEvent event;
  event.classes = {
      {u"M21", {Runner(u"", Variant(1), u"0:30:00", u"A"), Runner(u"[OB]", Variant(2), u"0:31:00")}}};
  Import(event);
  EXPECT_EQ(Rows("SELECT * FROM PERSON"), std::vector<std::string>{"\t[OB]\tA\t"});
  EXPECT_EQ(Rows("SELECT count(*) FROM RESULT WHERE PERSON_ID = ''"), std::vector<std::string>{"2"});
}

TEST_F(ImportRunTest, HandlesEventsAndClassesWithoutResults) {
  FakeEvent empty;
  Import(empty);
  EXPECT_EQ(Rows("SELECT ID FROM EVENT"), std::vector<std::string>{"E1"});
  FakeEvent noResults;
  noResults.classes = {{u"M21", {}}, {u"W21", {}}};
  EXPECT_EQ(Import(noResults).resultRowsWritten, 0);
  EXPECT_TRUE(Rows("SELECT * FROM RESULT").empty());
  EXPECT_EQ(host_.messages.back(), u"取り込みました");
}

TEST_F(ImportRunTest, RejectedRowsGiveFailureLinesAndTheRestIsWritten) {
  Execute(
      u"CREATE TRIGGER no_person BEFORE INSERT ON PERSON WHEN NEW.ID = '鈴木一郎' "
      u"BEGIN SELECT RAISE(ABORT, 'refused'); END");
  Execute(
      u"CREATE TRIGGER no_result BEFORE INSERT ON RESULT WHEN NEW.PERSON_ID = '佐藤次郎' "
      u"BEGIN SELECT RAISE(ABORT, 'refused'); END");
  FakeEvent event = ThirtyMinuteEvent();
  event.classes[0].results[1].className = Variant(u"M21A");  // the line names the component's class
  const ImportSummary summary = Import(event);
  EXPECT_EQ(summary.failures,
            (FailureLines{u"[PERSON更新失敗] M21 鈴木 一郎", u"[RESULT更新失敗] M21 佐藤 次郎"}));
  EXPECT_EQ(summary.resultRowsWritten, 5);
  EXPECT_EQ(Rows("SELECT PERSON_ID, CLASS FROM RESULT ORDER BY rowid"),
            (std::vector<std::string>{"山田太郎\tM21", "鈴木一郎\tM21A", "高橋三郎\tM21", "田中四郎\tM21",
                                      "伊藤花子\tW21"}));
  EXPECT_EQ(Rows("SELECT count(*) FROM PERSON WHERE ID = '鈴木一郎'"), std::vector<std::string>{"0"});
  EXPECT_EQ(host_.messages.back(),
            u"取り込みました\n\n書き込めなかった行: 2 件\n[PERSON更新失敗] M21 鈴木 一郎\n[RESULT更新失敗] M21 "
            u"佐藤 次郎");
}

// A schema may drop a row without an error: the row is reported as not
// written, because the database ignored it.
TEST_F(ImportRunTest, RowsTheSchemaIgnoresAreNotCountedAsWritten) {
  const struct {
    std::vector<std::u16string> schema;
    FailureLines failures;
  } cases[] = {
      {{u"CREATE TRIGGER ignore_row BEFORE INSERT ON PERSON WHEN NEW.ID = '鈴木一郎' BEGIN SELECT "
        u"RAISE(IGNORE); END"},
       {u"[PERSON更新失敗] M21 鈴木 一郎"}},
      {{u"CREATE TRIGGER ignore_row BEFORE UPDATE ON PERSON WHEN OLD.ID = '山田太郎' BEGIN SELECT "
        u"RAISE(IGNORE); END"},
       {u"[PERSON更新失敗] M21 山田 太郎"}},
      {{u"CREATE TRIGGER ignore_row BEFORE INSERT ON RESULT WHEN NEW.PERSON_ID = '佐藤次郎' "
        u"BEGIN SELECT RAISE(IGNORE); END"},
       {u"[RESULT更新失敗] M21 佐藤 次郎"}},
      {{u"DROP TABLE RESULT",
        u"CREATE TABLE RESULT (EVENT_ID TEXT, PERSON_ID TEXT, CLASS TEXT, PLACE, RESULT TEXT, POINT REAL, "
        u"UNIQUE (EVENT_ID, CLASS) ON CONFLICT IGNORE)"},
       {u"[RESULT更新失敗] M21 鈴木 一郎", u"[RESULT更新失敗] M21 佐藤 次郎", u"[RESULT更新失敗] M21 高橋 三郎",
        u"[RESULT更新失敗] M21 田中 四郎"}},
  };
  for (const auto& c : cases) {
    for (const auto& statement : c.schema) Execute(statement);
    const ImportSummary summary = Import(ThirtyMinuteEvent());
    Execute(u"DROP TRIGGER IF EXISTS ignore_row");
    EXPECT_EQ(summary.failures, c.failures);
    EXPECT_EQ(Rows("SELECT count(*) FROM RESULT"),
              std::vector<std::string>{std::to_string(summary.report.resultRowsWritten)});
    std::size_t ignored = 0;
    for (const ResultReport& row : summary.report.results) {
      for (const auto& cause : row.causes) ignored += cause == kRowIgnoredCause ? 1 : 0;
    }
    EXPECT_EQ(ignored, c.failures.size());
  }
}

// Bytes of another encoding, or a BLOB, would be written back by the update
// as U+FFFD: the stored person is left exactly as it is.
TEST_F(ImportRunTest, APersonStoredInBytesThatAreNoTextIsLeftAsItIs) {
  const char16_t* const stored[] = {
      u"CAST(X'8E5293632091BE984E' AS TEXT), '', ''",  // 山田 太郎 in Shift_JIS; club and sex empty
      u"'山田 太郎', X'938C8B9E4F4C43', 'M'",          // a BLOB club
  };
  const std::string fields =
      "SELECT hex(NAME), typeof(NAME), hex(CLUB), typeof(CLUB), hex(SEX), typeof(SEX) FROM PERSON "
      "WHERE ID = '山田太郎'";
  for (const char16_t* values : stored) {
    Execute(u"INSERT INTO PERSON VALUES ('山田太郎', " + std::u16string(values) + u")");
    const auto before = Rows(fields);
    const ImportSummary summary = Import(ThirtyMinuteEvent());
    EXPECT_EQ(Rows(fields), before);
    const ResultReport& row = summary.report.results.front();
    EXPECT_TRUE(row.written);
    EXPECT_EQ(row.flags, kStoredValueUnreadable);
    EXPECT_TRUE(summary.failures.empty());
    Execute(u"DELETE FROM PERSON WHERE ID = '山田太郎'");
  }
}

// Committed, an import that wrote no result row would leave the event
// without its old rows and without new ones.
TEST_F(ImportRunTest, AnImportWithNoResultWrittenIsTakenBack) {
  Import(ThirtyMinuteEvent());
  const auto before = Snapshot();
  for (const std::u16string refusal : {u"ABORT, 'closed'", u"IGNORE"}) {
    Execute(u"CREATE TRIGGER refuse_all BEFORE INSERT ON RESULT BEGIN SELECT RAISE(" + refusal + u"); END");
    for (const bool dryRun : {false, true}) {
      try {
        Import(ThirtyMinuteEvent(), {.dryRun = dryRun});
        ADD_FAILURE() << "the import did not stop";
      } catch (const convert::RuntimeError& error) {
        EXPECT_EQ(error.Number(), convert::error_number::kNoResultRowWritten);
        EXPECT_NE(error.Description().find(u"取込を取り消しました"), std::u16string::npos);
        EXPECT_NE(error.Description().find(refusal == u"IGNORE" ? kRowIgnoredCause : u"closed"),
                  std::u16string::npos);
      }
      EXPECT_EQ(Snapshot(), before);
    }
    Execute(u"DROP TRIGGER refuse_all");
  }
}

TEST_F(ImportRunTest, AStoppedRunLeavesTheDatabaseAsItWas) {
  Import(ThirtyMinuteEvent());
  FakeEvent other = ThirtyMinuteEvent();
  other.fileName = Variant(u"E2");
  Import(other);
  const auto before = Snapshot();

  FakeEvent changed = ThirtyMinuteEvent();
  changed.classes[0].results[0].clubName = Variant(u"新クラブ");
  changed.classes.push_back({u"M50", {Runner(u"新しい人", Variant(1), u"0:30:00")}});

  // A runner whose name cannot be read stops the run halfway through.
  FakeEvent halfway = changed;
  halfway.classes[0].results[3].runnerName = Variant::Null();
  EXPECT_FALSE(ImportFailing(halfway).empty());
  EXPECT_EQ(Snapshot(), before);

  // The event insert rejected.
  Execute(u"CREATE TRIGGER no_event BEFORE INSERT ON EVENT BEGIN SELECT RAISE(ABORT, 'no events today'); END");
  EXPECT_NE(ImportFailing(changed).find(u"no events today"), std::u16string::npos);
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(host_.messages.size(), 2u) << "no completion message after a stopped run";
}

TEST_F(ImportRunTest, DryRunWritesNothing) {
  Import(ThirtyMinuteEvent());
  const auto before = Snapshot();
  FakeEvent changed = ThirtyMinuteEvent();
  changed.classes.pop_back();
  const ImportSummary summary = Import(changed, {.dryRun = true});
  EXPECT_EQ(summary.resultRowsWritten, 5);
  EXPECT_EQ(Snapshot(), before);
}

TEST(ImportRunNotConnected, StopsBeforeWritingAnything) {
  outside::sqlite::SqliteConnection neverOpened;
  test_support::FakeLapComponent component(ThirtyMinuteEvent());
  test_support::RecordingHost host;
  EXPECT_THROW(RunImport(neverOpened, component, host), convert::RuntimeError);
  EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace pointimport::import

// Lap files whose values try to escape their SQL literals: every value must
// land as the file gave it, and no statement but the run's own may run.
#include <gtest/gtest.h>

#include "convert/utf.h"
#include "outside/create_object.h"
#include "support/import_fixture.h"
#include "support/iof_writer.h"

namespace pointimport::import {
namespace {

using test_support::IofEvent;
using test_support::IofPerson;

class ImportHostileTest : public test_support::ImportTest {
 protected:
  // Loads the event from a written IOF file with the real component and imports it.
  ImportSummary ImportFile(const IofEvent& event) {
    const auto file = dir_.File("hostile.xml");
    test_support::WriteIofFile(file, event);
    auto component = outside::CreateObjectAs<outside::LapComponent>(outside::kLapComponentProgId);
    EXPECT_EQ(component->FileControl()->LoadLapFile(convert::Utf8ToUtf16(file.string())),
              convert::Variant(true));
    statements_.clear();
    return RunImport(logged_, *component, host_);
  }

  // Every statement executed is one of the run's own.
  void ExpectOnlyTheRunsStatements() {
    static const std::u16string kOwn[] = {
        u"DELETE FROM EVENT  WHERE ID='",
        u"DELETE FROM RESULT  WHERE EVENT_ID='",
        u"INSERT INTO EVENT  ( ID, NAME, TERRAIN, EVENT_DATE )  VALUES (   '",
        u"SELECT * FROM PERSON  WHERE ID = '",
        u"UPDATE PERSON SET NAME='",
        u"INSERT INTO PERSON  ( ID, NAME, CLUB, SEX )  VALUES (   '",
        u"INSERT INTO RESULT  ( EVENT_ID, PERSON_ID, CLASS, PLACE, RESULT, POINT )  VALUES (   '"};
    for (const auto& statement : statements_) {
      bool own = false;
      for (const auto& start : kOwn) own = own || statement.starts_with(start);
      EXPECT_TRUE(own) << convert::Utf16ToUtf8(statement);
    }
    EXPECT_EQ(Rows("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"),
              (std::vector<std::string>{"EVENT", "PERSON", "RESULT"}));
  }
};

TEST_F(ImportHostileTest, ValuesLandExactlyAsTheFileGaveThem) {
  const std::vector<std::string> hostile = {
      "O'Brien",
      "'); DROP TABLE PERSON; --",
      "\"quoted\" \\back\\slash; semi;colon",
      "line\nbreak\ttab",
      "\xEF\xBF\xBD\xF4\x8F\xBF\xBF",  // U+FFFD, U+10FFFF: the last characters XML has
      "''''",
      std::string(4090, 'x'),  // "Class " and it: the longest class name a file may give
      "x' OR '1'='1",
  };
  IofEvent event;
  event.id = "EV'; DELETE FROM EVENT; --";
  event.name = "大会 'name' \"q\" \\ ;";
  for (std::size_t i = 0; i < hostile.size(); ++i) {
    IofPerson person{
        "家" + std::to_string(i), hostile[i], hostile[i], "M", "OK", 1800.0 + static_cast<double>(i),
        static_cast<int>(i) + 1};
    event.classes.push_back({"Class " + hostile[i], {person}});
  }
  const ImportSummary summary = ImportFile(event);
  EXPECT_TRUE(summary.failures.empty());
  ExpectOnlyTheRunsStatements();

  EXPECT_EQ(Rows("SELECT ID, NAME FROM EVENT"), std::vector<std::string>{event.id + "\t" + event.name});
  const auto results = Rows("SELECT EVENT_ID, CLASS FROM RESULT ORDER BY rowid");
  const auto clubs =
      Rows("SELECT P.NAME, P.CLUB FROM RESULT R JOIN PERSON P ON P.ID = R.PERSON_ID ORDER BY R.rowid");
  ASSERT_EQ(results.size(), hostile.size());
  ASSERT_EQ(clubs.size(), hostile.size());
  for (std::size_t i = 0; i < hostile.size(); ++i) {
    EXPECT_EQ(results[i], event.id + "\tClass " + hostile[i]) << i;
    EXPECT_EQ(clubs[i], "家" + std::to_string(i) + " " + hostile[i] + "\t" + hostile[i]) << i;
  }
}

TEST_F(ImportHostileTest, OneRunnerInAHundredThousandClasses) {
  IofEvent event;
  for (int i = 0; i < 100000; ++i) {
    event.classes.push_back({"C" + std::to_string(i), {{"山田", "太郎", "OLC", "M", "OK", 1800, 1}}});
  }
  const ImportSummary summary = ImportFile(event);
  EXPECT_EQ(summary.classCount, 100000);
  EXPECT_EQ(summary.resultRowsWritten, 100000);
  EXPECT_EQ(Rows("SELECT count(*), count(DISTINCT CLASS) FROM RESULT"),
            std::vector<std::string>{"100000\t100000"});
  EXPECT_EQ(Rows("SELECT * FROM PERSON"), std::vector<std::string>{"山田太郎\t山田 太郎\tOLC\tM"});
}

}  // namespace
}  // namespace pointimport::import

#include "main/report_csv.h"

#include <gtest/gtest.h>

#include <sstream>

#include "convert/utf.h"
#include "support/import_fixture.h"

namespace pointimport::main {
namespace {

using convert::Variant;
using test_support::FakeEvent;
using test_support::Runner;

// The fields of one CSV line, quotes undone.
std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (quoted && line[i] == '"') {
      quoted = line.compare(i, 2, "\"\"") == 0;
      if (quoted) fields.back() += line[++i];
    } else if (line[i] == '"') {
      quoted = true;
    } else if (line[i] == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += line[i];
    }
  }
  return fields;
}

class ReportCsvTest : public test_support::ImportTest {
 protected:
  // A season's first event: every person state, zero-point reason and flag
  // that an import can give.
  static FakeEvent FirstEvent() {
    FakeEvent event;
    event.classes = {
        {u"M21",
         {Runner(u"山田 太郎", Variant(1), u"0:25:00", u"東京OLC"),
          Runner(u"鈴木 一郎", Variant(2), u"0:30:00", u"OLC"),
          Runner(u"佐藤 次郎", Variant(3), u"0:35:00", u"大阪OL, 関西"),
          Runner(u"高橋 三郎", Variant(u"OP"), u"0:40:00"), Runner(u"田中 四郎", Variant(5), u"失格"),
          Runner(u"", Variant(6), u"0:45:00"), Runner(u"拒否", Variant(7), u"0:50:00"),
          Runner(u"ﾔﾏﾀﾞ ﾊﾅｺ", Variant(8), u"0:55:00"), Runner(u"ヤマダ ハナコ", Variant(9), u"0:56:00"),
          Runner(u"中村 五郎", Variant(u"(10)"), u"0:41:00")}},
        {u"W21",
         {Runner(u"伊藤 花子", Variant(1), u"0:20:00"), Runner(u"加藤 \"桜\"", Variant(2), u"0:22:00")}},
        {u"M35",
         {Runner(u"小林 一", Variant(1), u"0:30:00"), Runner(u"吉田 二", Variant(2), u"DNF"),
          Runner(u"松本 三", Variant(3), u"0:33:00")}},
        {u"M40",
         {Runner(u"井上 一", Variant(1), u"0:00:00"), Runner(u"木村 二", Variant(2), u"0:00:00"),
          Runner(u"林 三", Variant(3), u"0:00:00")}},
    };
    return event;
  }

  static FakeEvent SecondEvent() {
    FakeEvent event;
    event.fileName = Variant(u"E2");
    event.classes = {{u"M21",
                      {Runner(u"佐藤 次郎", Variant(1), u"0:30:00", u"大阪OL, 関西"),
                       Runner(u"山田 太郎", Variant(2), u"0:31:00", u"東京OLC")}}};
    return event;
  }
};

TEST_F(ReportCsvTest, TellsRowByRowWhatTheRunWroteAndWhy) {
  Execute(u"INSERT INTO PERSON VALUES ('山田太郎', '山田 太郎', '旧クラブ', 'M')");
  Execute(u"INSERT INTO PERSON VALUES ('鈴木一郎', '鈴木 一郎', NULL, 'M')");
  Execute(
      u"CREATE TRIGGER no_person BEFORE INSERT ON PERSON WHEN NEW.ID = '拒否' "
      u"BEGIN SELECT RAISE(ABORT, 'person refused'); END");
  Execute(
      u"CREATE TRIGGER no_result BEFORE INSERT ON RESULT WHEN NEW.PERSON_ID = '拒否' "
      u"BEGIN SELECT RAISE(ABORT, 'result refused'); END");
  const std::vector<import::ImportReport> season = {Import(FirstEvent()).report, Import(SecondEvent()).report};
  std::ostringstream csv;
  WriteCsvReport(season, csv);

  // Each line up to its cause, and what the cause must hold.
  const struct {
    const char* line;
    std::vector<std::string> causes;
  } expected[] = {
      {"\xEF\xBB\xBFイベント,クラス番号,クラス,順位,氏名,所属,個人ID,個人,記録,ポイント,理由,結果行,注意,原因",
       {}},
      {"E1,1,M21,1,山田 太郎,東京OLC,山田太郎,既存,0:25:00,120,,書込,所属が異なる,", {}},
      {"E1,1,M21,2,鈴木 一郎,OLC,鈴木一郎,補完,0:30:00,100,,書込,,", {}},
      {"E1,1,M21,3,佐藤 次郎,\"大阪OL, 関西\",佐藤次郎,新規,0:35:00,85.7142857142857,,書込,,", {}},
      {"E1,1,M21,OP,高橋 三郎,,高橋三郎,新規,0:40:00,0,順位なし,書込,,", {}},
      {"E1,1,M21,5,田中 四郎,,田中四郎,新規,失格,0,タイムなし,書込,,", {}},
      {"E1,1,M21,6,,,,新規,0:45:00,66.6666666666667,,書込,個人IDが空,", {}},
      {"E1,1,M21,7,拒否,,拒否,失敗,0:50:00,60,,失敗,,", {"person refused", " / ", "result refused"}},
      {"E1,1,M21,8,ﾔﾏﾀﾞ ﾊﾅｺ,,ヤマダハナコ,新規,0:55:00,54.5454545454545,,書込,同一IDの別名,", {}},
      {"E1,1,M21,9,ヤマダ ハナコ,,ヤマダハナコ,既存,0:56:00,53.5714285714286,,書込,同一IDの別名,", {}},
      {"E1,1,M21,(10),中村 五郎,,中村五郎,新規,0:41:00,0,順位に括弧,書込,,", {}},
      {"E1,2,W21,1,伊藤 花子,,伊藤花子,新規,0:20:00,0,クラス3名未満,書込,,", {}},
      {"E1,2,W21,2,\"加藤 \"\"桜\"\"\",,加藤＂桜＂,新規,0:22:00,0,クラス3名未満,書込,,", {}},
      {"E1,3,M35,1,小林 一,,小林一,新規,0:30:00,0,上位3名のタイム不明,書込,,", {}},
      {"E1,3,M35,2,吉田 二,,吉田二,新規,DNF,0,上位3名のタイム不明,書込,,", {}},
      {"E1,3,M35,3,松本 三,,松本三,新規,0:33:00,0,上位3名のタイム不明,書込,,", {}},
      {"E1,4,M40,1,井上 一,,井上一,新規,0:00:00,0,基準タイム0,書込,,", {}},
      {"E1,4,M40,2,木村 二,,木村二,新規,0:00:00,0,基準タイム0,書込,,", {}},
      {"E1,4,M40,3,林 三,,林三,新規,0:00:00,0,基準タイム0,書込,,", {}},
      {"E2,1,M21,1,佐藤 次郎,\"大阪OL, 関西\",佐藤次郎,既存,0:30:00,0,クラス3名未満,書込,,", {}},
      {"E2,1,M21,2,山田 太郎,東京OLC,山田太郎,既存,0:31:00,0,クラス3名未満,書込,所属が異なる,", {}},
  };
  std::vector<std::string> lines;
  std::istringstream in(csv.str());
  for (std::string line; std::getline(in, line);) {
    ASSERT_TRUE(line.ends_with('\r')) << line;
    lines.push_back(line.substr(0, line.size() - 1));
  }
  ASSERT_EQ(lines.size(), std::size(expected));

  // The written rows, in the order the run wrote them.
  const auto written = Rows(
      "SELECT EVENT_ID, CLASS, PLACE, PERSON_ID, RESULT, printf('%.15g', POINT) FROM RESULT ORDER BY rowid");
  std::size_t next = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto& e = expected[i];
    EXPECT_TRUE(lines[i].starts_with(e.line)) << lines[i];
    std::size_t at = std::string(e.line).size();
    for (const auto& part : e.causes) {
      at = lines[i].find(part, at);
      EXPECT_NE(at, std::string::npos) << part << " in " << lines[i];
    }
    if (i == 0) continue;
    const auto f = Fields(lines[i]);
    if (f[11] == "書込") {
      ASSERT_LT(next, written.size());
      EXPECT_EQ(written[next++], f[0] + "\t" + f[2] + "\t" + f[3] + "\t" + f[6] + "\t" + f[8] + "\t" + f[9]);
    }
    const auto person = Rows("SELECT NAME, CLUB FROM PERSON WHERE ID = '" + f[6] + "'");
    if (f[7] == "失敗") {
      EXPECT_TRUE(person.empty()) << f[6];
    } else if (f[7] == "新規") {
      EXPECT_EQ(person, std::vector<std::string>{f[4] + "\t" + f[5]});
    } else if (f[7] == "補完") {
      EXPECT_EQ(person.at(0).substr(person.at(0).find('\t') + 1), f[5]);
    }
  }
  EXPECT_EQ(next, written.size());

  // Importing the first event again replaces the rows it wrote.
  EXPECT_EQ(Import(FirstEvent()).report.resultRowsReplaced, 17);
}

// Every cell of text from a lap file or the database.
TEST(CsvReportCells, KeepTextThatASpreadsheetWouldTakeForAFormulaAsText) {
  const struct {
    std::u16string text;
    std::string cell;
  } cases[] = {
      {u"=HYPERLINK(\"http://x\")", "'=HYPERLINK(\"http://x\")"},
      {u"+1", "'+1"},
      {u"-1", "'-1"},
      {u"@SUM(A1)", "'@SUM(A1)"},
      {u"\tx", "'\tx"},
      {u"\rx", "'\rx"},
      {u"a=b", "a=b"},
      {u"", ""},
  };
  for (const auto& c : cases) {
    import::ImportReport report;
    report.keyword = c.text;
    import::ResultReport row;
    row.className = row.rank = row.runnerName = row.clubName = row.result = Variant(c.text);
    row.personId = c.text;
    row.causes = {c.text};
    report.results = {row};
    std::ostringstream csv;
    WriteCsvReport({report}, csv);
    const std::string line = csv.str().substr(csv.str().find('\n') + 1);
    const auto f = Fields(line.substr(0, line.size() - 2));
    for (std::size_t i : {0, 2, 3, 4, 5, 6, 8, 13}) EXPECT_EQ(f.at(i), c.cell) << i;
  }
  // Numbers are written by this tool: a negative one is no formula.
  import::ImportReport report;
  report.results = {import::ResultReport{.rank = Variant(-1)}};
  std::ostringstream csv;
  WriteCsvReport({report}, csv);
  EXPECT_NE(csv.str().find("\r\n,0,,-1,"), std::string::npos) << csv.str();
}

}  // namespace
}  // namespace pointimport::main

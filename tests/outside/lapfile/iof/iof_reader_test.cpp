#include "outside/lapfile/iof/iof_reader.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "convert/utf.h"
#include "outside/lapfile/lap_file_loader.h"
#include "outside/lapfile/value_bound.h"
#include "support/lap_rows.h"
#include "support/temp_dir.h"

namespace pointimport::outside::lapfile::iof {
namespace {

using namespace std::string_literals;
using test_support::LapRows;
using Rows = std::vector<std::string>;

std::u16string DataPath(const std::string& name) {
  return convert::Utf8ToUtf16(std::string(POINTIMPORT_TEST_DATA_DIR) + "/" + name);
}

LapEvent Loaded(const std::string& name) {
  LapLoadResult result = LoadLapFile(DataPath(name));
  EXPECT_EQ(result.status, LapLoadStatus::Loaded) << name << ": " << convert::Utf16ToUtf8(result.reason);
  return std::move(result.event);
}

LapEvent Read(const std::string& document) {
  LapLoadResult result = ReadIofResultList(document, u"fallback");
  EXPECT_EQ(result.status, LapLoadStatus::Loaded) << document;
  return std::move(result.event);
}

int DateKey(const LapEvent& event) {
  return event.date ? event.date->year * 10000 + event.date->month * 100 + event.date->day : 0;
}

TEST(LoadLapFile, ReadsTheEventAndClassesOfEveryExampleFile) {
  const struct {
    const char* file;
    const char16_t* keyword;
    const char16_t* description;
    int date;
    std::vector<std::pair<std::u16string, std::size_t>> classes;
  } cases[] = {
      {"iof/ResultList1.xml",
       u"ResultList1",
       u"2011/07/30 Example event（2 クラス・3 名）",
       20110730,
       {{u"Men Elite", 2}, {u"Open", 1}}},
      {"iof/ResultList2.xml",
       u"ResultList2",
       u"2011/07/30 Example event（1 クラス・0 名）",
       20110730,
       {{u"Open", 0}}},
      {"iof/ResultList3.xml",
       u"ResultList3",
       u"2011/07/30 Example event（1 クラス・2 名）",
       20110730,
       {{u"Men Elite", 2}}},
      {"iof/ResultList4.xml",
       u"ResultList4",
       u"2011/07/30 Example event（1 クラス・2 名）",
       20110730,
       {{u"Men Elite", 2}}},
      {"iof/ResultList_example.xml", u"WC1", u"（2 クラス・80 名）", 0, {{u"Men", 40}, {u"Women", 40}}},
      {"iof/ResultList_example3.xml", u"WC1", u"（1 クラス・0 名）", 0, {{u"Men", 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const LapEvent event = Loaded(c.file);
    EXPECT_EQ(event.keyword, c.keyword);
    EXPECT_EQ(DescribeLapEvent(event), c.description);
    EXPECT_EQ(DateKey(event), c.date);
    std::vector<std::pair<std::u16string, std::size_t>> classes;
    for (const LapClass& lapClass : event.classes) classes.emplace_back(lapClass.name, lapClass.runners.size());
    EXPECT_EQ(classes, c.classes);
  }
}

TEST(LoadLapFile, ReadsEachPersonsOwnFirstRaceResult) {
  const LapEvent single = Loaded("iof/ResultList1.xml");
  EXPECT_EQ(LapRows(single.classes[0]), (Rows{"Wood George|0:33:21|1", "Martin Edgar|失格|''"}));
  EXPECT_EQ(LapRows(single.classes[1]), (Rows{"Lawson Toni|欠場|''"}));
  EXPECT_EQ(single.classes[0].runners[0].clubName, u"OC Back and Forth");
  EXPECT_EQ(single.classes[0].runners[1].clubName, u"Bushmen OC");
  // Race 1, not race 2 (3000 s) nor the overall result (5001 s).
  EXPECT_EQ(LapRows(Loaded("iof/ResultList3.xml").classes[0]),
            (Rows{"Wood George|0:33:21|1", "Martin Edgar|失格|''"}));
  EXPECT_EQ(LapRows(Loaded("iof/ResultList4.xml").classes[0]),
            (Rows{"Wood George|0:33:21|1", "Martin Edgar|失格|''"}));
}

TEST(LoadLapFile, OrdersVersion2ResultsByTheFilesPlaces) {
  const LapEvent snapshot = Loaded("iof/ResultList_example.xml");
  const Rows men = LapRows(snapshot.classes[0]);
  EXPECT_EQ(Rows(men.begin(), men.begin() + 3), (Rows{"|0:24:24|1", "|0:25:56|2", "|0:26:10|3"}));
  EXPECT_EQ(men[29], "|0:31:34|30");
  EXPECT_EQ(Rows(men.begin() + 30, men.end()),
            (Rows{"|記録なし|''", "|失格|''", "|失格|''", "|失格|''", "|記録なし|''", "|記録なし|''",
                  "|記録なし|''", "|記録なし|''", "|記録なし|''", "|記録なし|''"}));
  // Place 15 is the Finished runner's, who is not OK.
  std::vector<std::int32_t> women;
  for (const LapRunner& runner : snapshot.classes[1].runners) {
    if (!runner.rank.IsString()) women.push_back(runner.rank.AsLong());
  }
  EXPECT_EQ(women, (std::vector<std::int32_t>{1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                                              13, 14, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25}));
}

TEST(LoadLapFile, GivesEveryStatusItsResultAndRank) {
  const LapEvent v3 = Loaded("lap/statuses_v3.xml");
  EXPECT_EQ(v3.keyword, u"ST3-2024");
  EXPECT_EQ(DateKey(v3), 20240601);
  EXPECT_EQ(LapRows(v3.classes.at(0)), (Rows{"Ok1 OK|0:29:10|1",
                                             "Ok2 OK|0:30:00|2",
                                             "Ok3 OK|1:02:03|3",
                                             "Nc1 NotCompeting|0:28:20|'OP'",
                                             "Nc2 NotCompeting|OP|'OP'",
                                             "Dq MissingPunch|失格|''",
                                             "Disq Disqualified|失格|''",
                                             "Dnf DidNotFinish|途中棄権|''",
                                             "Sw SportingWithdrawal|途中棄権|''",
                                             "Ot OverTime|時間超過|''",
                                             "Dns DidNotStart|欠場|''",
                                             "Dne DidNotEnter|欠場|''",
                                             "Active Active|記録なし|''",
                                             "Inactive Inactive|記録なし|''",
                                             "Finished Finished|記録なし|''",
                                             "Moved Moved|記録なし|''",
                                             "MovedUp MovedUp|記録なし|''",
                                             "Cancelled Cancelled|記録なし|''",
                                             "NoStatus missing|記録なし|''",
                                             "Unknown Bogus|記録なし|''",
                                             "OkNoTime OK|記録なし|''"}));

  const LapEvent v2 = Loaded("lap/statuses_v2.xml");
  EXPECT_EQ(v2.keyword, u"ST2-2024");
  EXPECT_EQ(DescribeLapEvent(v2), u"2024/06/02 Status test 2（1 クラス・16 名）");
  EXPECT_EQ(
      LapRows(v2.classes.at(0)),
      (Rows{"Ok1 OK|1:23:03|1", "Ok2 OK|1:42:30|2", "Nc1 NotCompeting|0:27:52|'OP'", "Dq MisPunch|失格|''",
            "Disq Disqualified|失格|''", "Dnf DidNotFinish|途中棄権|''", "Sw SportWithdr|途中棄権|''",
            "Ot OverTime|時間超過|''", "Dns DidNotStart|欠場|''", "Inactive Inactive|記録なし|''",
            "Active Active|記録なし|''", "Finished Finished|記録なし|''", "Moved Moved|記録なし|''",
            "MovedUp MovedUp|記録なし|''", "Cancelled Cancelled|記録なし|''", "BadTime OK|記録なし|''"}));
}

TEST(LoadLapFile, RanksByWholeSecondsWhenAPlaceIsMissing) {
  const LapEvent event = Loaded("lap/positions_missing.xml");
  ASSERT_EQ(event.classes.size(), 3u);
  EXPECT_EQ(LapRows(event.classes[0]), (Rows{"B|0:16:40|1", "D|0:18:20|2", "F|0:18:20|2", "A|0:20:00|4",
                                             "G|0:21:40|5", "C|0:15:00|'OP'", "E|失格|''"}));
  EXPECT_EQ(LapRows(event.classes[1]), (Rows{"Q|0:23:20|1", "R|0:24:10|2", "S|0:24:20|2", "P|0:25:00|3"}));
  EXPECT_EQ(LapRows(event.classes[2]), (Rows{"Y|0:15:00|1", "X|0:16:40|2"}));
}

TEST(LoadLapFile, ReadsEveryEncoding) {
  const struct {
    const char* file;
    const char16_t* keyword;
    const char16_t* eventName;
    const char16_t* className;
    const char16_t* runnerName;
    const char16_t* clubName;
  } cases[] = {
      {"lap/shift_jis.xml", u"SJIS-1", u"関東ミドル ~春~", u"M21A", u"山田 太郎", u"東京OLC"},
      {"lap/euc_jp.xml", u"EUCJP-1", u"関東ミドル ~春~", u"M21A", u"山田 太郎", u"東京OLC"},
      {"lap/cp932.xml", u"CP932-1", u"髙尾山ミドル ①日目", u"M21A", u"髙橋 一郎", u"八王子OLC"},
      {"lap/utf16le_bom.xml", u"UTF16LE-1", u"関東ミドル", u"M21A", u"𠮷野 花子", u"東京OLC"},
      {"lap/utf16be_bom.xml", u"UTF16BE-1", u"関東ミドル", u"M21A", u"𠮷野 花子", u"東京OLC"},
      {"lap/iso_8859_1.xml", u"LATIN1-1", u"Göteborg Open", u"D21", u"Fenger-Grøn Åsa", u"IFK Göteborg"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const LapEvent event = Loaded(c.file);
    EXPECT_EQ(event.keyword, c.keyword);
    EXPECT_EQ(event.name, c.eventName);
    EXPECT_EQ(DateKey(event), 20240512);
    ASSERT_EQ(event.classes.size(), 1u);
    EXPECT_EQ(event.classes[0].name, c.className);
    ASSERT_EQ(event.classes[0].runners.size(), 1u);
    const LapRunner& runner = event.classes[0].runners[0];
    EXPECT_EQ(runner.runnerName, c.runnerName);
    EXPECT_EQ(runner.clubName, c.clubName);
    EXPECT_EQ(runner.sex, u"M");
    EXPECT_EQ(runner.result, convert::Variant(u"1:02:03"));
    EXPECT_EQ(runner.rank, convert::Variant(std::int32_t{1}));
  }
}

TEST(LoadLapFile, FailsForWhatIsNoReadableResultList) {
  const struct {
    const char* file;
    LapLoadStatus status;
  } cases[] = {
      {"lap/shift_jis_broken.xml", LapLoadStatus::InvalidBytes},
      {"lap/not_well_formed.xml", LapLoadStatus::NotWellFormed},
      {"lap/wrong_root.xml", LapLoadStatus::NotAResultList},
      {"iof/RankList_example.xml", LapLoadStatus::NotAResultList},
      {"lap/missing.xml", LapLoadStatus::CannotRead},
      {"lap", LapLoadStatus::CannotRead},
  };
  for (const auto& c : cases) {
    const LapLoadResult result = LoadLapFile(DataPath(c.file));
    EXPECT_EQ(result.status, c.status) << c.file;
    EXPECT_FALSE(result.reason.empty()) << c.file;
  }

  test_support::TempDir dir;
  std::filesystem::path huge = dir.File("huge.xml");
  test_support::WriteFileBytes(huge, "<ResultList/>");
  std::filesystem::resize_file(huge, kMaxLapFileBytes + 1);  // sparse: nothing is written
  EXPECT_EQ(LoadLapFile(convert::Utf8ToUtf16(huge.string())).status, LapLoadStatus::TooLarge);
}

TEST(ReadIofResultList, RefusesDocumentsThatAreNotWellFormed) {
  for (const std::string& document : {""s, "<ResultList>"s, "<ResultList/><ResultList/>"s, "<ResultList/>x"s,
                                      "<ResultList>\0</ResultList>"s, "<ResultList><Event></ResultList>"s}) {
    EXPECT_EQ(ReadIofResultList(document, u"k").status, LapLoadStatus::NotWellFormed) << document;
  }
  for (const char* document : {R"(<ResultList xmlns="http://example.org/other"/>)",
                               R"(<StartList xmlns="http://www.orienteering.org/datastandard/3.0"/>)"}) {
    EXPECT_EQ(ReadIofResultList(document, u"k").status, LapLoadStatus::NotAResultList) << document;
  }
}

TEST(ReadIofResultList, MatchesVersion3ElementsByLocalName) {
  for (const char* document : {
           R"(<iof:ResultList xmlns:iof="https://www.orienteering.org/datastandard/3.0">
                <iof:Event><iof:Id>E</iof:Id></iof:Event>
                <iof:ClassResult><iof:Class><iof:Name>M</iof:Name></iof:Class>
                  <iof:PersonResult><iof:Person><iof:Name><iof:Family>F</iof:Family></iof:Name></iof:Person>
                    <iof:Result><iof:Time>60</iof:Time><iof:Status>OK</iof:Status></iof:Result></iof:PersonResult>
                </iof:ClassResult></iof:ResultList>)",
           // A 3.0 document that lost its namespace still says its version.
           R"(<ResultList iofVersion="3.0"><Event><Id>E</Id></Event>
                <ClassResult><Class><Name>M</Name></Class>
                  <PersonResult><Person><Name><Family>F</Family></Name></Person>
                    <Result><Time>60</Time><Status>OK</Status></Result></PersonResult>
                </ClassResult></ResultList>)",
       }) {
    const LapEvent event = Read(document);
    EXPECT_EQ(event.keyword, u"E");
    ASSERT_EQ(event.classes.size(), 1u);
    EXPECT_EQ(event.classes[0].name, u"M");
    EXPECT_EQ(LapRows(event.classes[0]), (Rows{"F|0:01:00|1"}));
  }
}

// Names are read in one walk over their parts, which may stand in any order.
TEST(ReadIofResultList, TakesNamePartsInAnyOrder) {
  const struct {
    const char* name;
    const char* organisation;
    const char16_t* runnerName;
    const char16_t* clubName;
  } cases[] = {
      {"<Given>Anna</Given><Family>Wood</Family><Given>Maria</Given>", "<ShortName>S</ShortName><Name>N</Name>",
       u"Wood Anna Maria", u"N"},
      {"<Family/><Given>Anna</Given><Family>Wood</Family><Family>Other</Family>",
       "<ShortName/><ShortName>S2</ShortName><Name/><ShortName>S3</ShortName>", u"Wood Anna", u"S2"},
      {"<Given/><Given>Anna</Given><Family/>", "<Name/>", u"Anna", u""},
  };
  for (const auto& c : cases) {
    const LapEvent event = Read(
        R"(<ResultList xmlns="http://www.orienteering.org/datastandard/3.0">)"s +
        "<ClassResult><Class><Name>C</Name></Class><PersonResult><Person><Name>" + c.name +
        "</Name></Person><Organisation>" + c.organisation +
        "</Organisation><Result><Status>OK</Status></Result></PersonResult></ClassResult>" + "</ResultList>");
    ASSERT_EQ(event.classes.size(), 1u) << c.name;
    ASSERT_EQ(event.classes[0].runners.size(), 1u) << c.name;
    EXPECT_EQ(event.classes[0].runners[0].runnerName, c.runnerName) << c.name;
    EXPECT_EQ(event.classes[0].runners[0].clubName, c.clubName) << c.organisation;
  }
}

TEST(ReadIofResultList, ReadsPeopleClassesAndTheEventTolerantly) {
  const LapEvent v3 = Read(R"(<ResultList xmlns="http://www.orienteering.org/datastandard/3.0">
    <Event><Id> </Id><Name>Sprint</Name><StartTime><Date>2024-13-01</Date></StartTime></Event>
    <ClassResult><Class sex="M"><ShortName>M21S</ShortName></Class>
      <PersonResult><Person sex="F"><Name><Family> Wood </Family><Given>Anna</Given></Name></Person>
        <Organisation><ShortName>OKB</ShortName></Organisation>
        <Result raceNumber="2"><Time>99</Time><Status>OK</Status></Result>
        <Result raceNumber="1"><Time>61</Time><Status>OK</Status></Result></PersonResult>
      <PersonResult><Person><Name><Given>Only</Given></Name></Person>
        <Result><Time>62</Time><Status>OK</Status></Result></PersonResult>
      <PersonResult><Person><Id>7</Id></Person><Result raceNumber="2"><Status>OK</Status></Result></PersonResult>
      <PersonResult><Person><Id>8</Id></Person></PersonResult>
      <TeamResult><TeamMemberResult><Person><Name><Family>Relay</Family></Name></Person>
        <Result><Time>50</Time><Status>OK</Status></Result></TeamMemberResult></TeamResult>
    </ClassResult>
    <ClassResult><Class sex="B"><Name>Open</Name></Class>
      <PersonResult><Person><Id>9</Id></Person><Result><Status>DidNotStart</Status></Result></PersonResult>
    </ClassResult>
    <ClassResult><Class><Name></Name><ShortName>W21</ShortName></Class>
      <PersonResult><Person><Name><Family>Tie</Family></Name></Person>
        <Organisation><Name></Name><ShortName>ABC</ShortName></Organisation>
        <Result><Time>70</Time><Position>1=</Position><Status>OK</Status></Result></PersonResult>
      <PersonResult><Person><Name><Family>Ti<!-- split -->ed</Family></Name></Person><Organisation><Name/></Organisation>
        <Result><Time>70</Time><Position>1=</Position><Status>OK</Status></Result></PersonResult>
    </ClassResult></ResultList>)");
  EXPECT_EQ(v3.keyword, u"fallback");
  EXPECT_EQ(DescribeLapEvent(v3), u"Sprint（3 クラス・5 名）");
  EXPECT_EQ(LapRows(v3.classes[0]), (Rows{"Wood Anna|0:01:01|1", "Only|0:01:02|2"}));
  EXPECT_EQ(v3.classes[0].name, u"M21S");
  EXPECT_EQ(v3.classes[0].runners[0].clubName, u"OKB");
  EXPECT_EQ(v3.classes[0].runners[0].sex, u"F");
  EXPECT_EQ(v3.classes[0].runners[1].sex, u"M");
  EXPECT_EQ(v3.classes[0].runners[1].clubName, u"");
  EXPECT_EQ(LapRows(v3.classes[1]), (Rows{"|欠場|''"}));
  EXPECT_EQ(v3.classes[1].runners[0].sex, u"");
  // A shared place "1=", and a club named by its short name alone, or by nothing.
  EXPECT_EQ(v3.classes[2].name, u"W21");
  EXPECT_EQ(LapRows(v3.classes[2]), (Rows{"Tie|0:01:10|1", "Tied|0:01:10|1"}));
  EXPECT_EQ(v3.classes[2].runners[0].clubName, u"ABC");
  EXPECT_EQ(v3.classes[2].runners[1].clubName, u"");

  const LapEvent v2 = Read(R"(<ResultList><Event><EventId>EV2</EventId><Name>Long</Name></Event>
    <ClassResult><Class sex="F"><ClassId>3</ClassId><Name>Damen</Name></Class>
      <PersonResult><Person><PersonName><Family>Berg</Family><Given>Anna</Given><Given>Maria</Given></PersonName>
        </Person><Club><ClubId>1</ClubId><ShortName>OK Linne</ShortName></Club>
        <Result><Time>45:00</Time><CompetitorStatus value="OK"/></Result>
        <RaceResult><EventRaceId>1</EventRaceId><Result><Time>20:00</Time><CompetitorStatus value="OK"/></Result>
        </RaceResult></PersonResult>
      <TeamResult><TeamName>T</TeamName><PersonResult><PersonId>5</PersonId>
        <Result><Time>10:00</Time><CompetitorStatus value="OK"/></Result></PersonResult></TeamResult>
    </ClassResult></ResultList>)");
  EXPECT_EQ(v2.keyword, u"EV2");
  EXPECT_EQ(DescribeLapEvent(v2), u"Long（1 クラス・1 名）");
  EXPECT_EQ(v2.classes[0].name, u"Damen");
  EXPECT_EQ(LapRows(v2.classes[0]), (Rows{"Berg Anna Maria|0:45:00|1"}));
  EXPECT_EQ(v2.classes[0].runners[0].clubName, u"OK Linne");
  EXPECT_EQ(v2.classes[0].runners[0].sex, u"F");
}

// Each read value is bounded, so that a file made of one huge value costs
// no more memory than the file.
TEST(ReadIofResultList, RefusesAValueOverTheBound) {
  const std::string longest(kMaxValueLength, 'W');
  const auto list = [](const std::string& className, const std::string& name) {
    return "<ResultList iofVersion='3.0'><ClassResult><Class><Name>" + className +
           "</Name></Class><PersonResult><Person><Name>" + name +
           "</Name></Person><Result><Status>OK</Status></Result></PersonResult></ClassResult></ResultList>";
  };
  const struct {
    std::string document;
    const char16_t* what;  // null: read
  } cases[] = {
      {list(longest, "<Family>" + longest + "</Family>"), nullptr},
      {list(longest + "W", "<Family>F</Family>"), u"クラス名 \"WWWW"},
      {list("M", "<Family>W<!-- -->" + longest + "</Family>"), u"クラス M の選手名 \"WWWW"},
      {list("M", "<Family>F</Family>" + std::string(3000, ' ') + "<Given>" + longest + "</Given>"),
       u"クラス M の選手名 \"F WWW"},
  };
  for (const auto& c : cases) {
    const LapLoadResult result = ReadIofResultList(c.document, u"k");
    EXPECT_EQ(result.status, c.what ? LapLoadStatus::OverlongValue : LapLoadStatus::Loaded);
    if (c.what) EXPECT_EQ(result.reason.find(u"値が長すぎます (4096 文字まで): " + std::u16string(c.what)), 0u);
  }
}

}  // namespace
}  // namespace pointimport::outside::lapfile::iof

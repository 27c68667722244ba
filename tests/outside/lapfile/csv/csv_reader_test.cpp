#include "outside/lapfile/csv/csv_reader.h"

#include <gtest/gtest.h>

#include "convert/utf.h"
#include "outside/lapfile/class_ranking.h"
#include "outside/lapfile/read_whole_file.h"
#include "support/lap_rows.h"

namespace pointimport::outside::lapfile::csv {
namespace {

using namespace std::string_literals;
using Rows = std::vector<std::string>;
using Classes = std::vector<std::pair<std::string, Rows>>;

std::string FileBytes(const std::string& name) {
  FileReadResult file =
      ReadWholeFile(convert::Utf8ToUtf16(std::string(POINTIMPORT_TEST_DATA_DIR) + "/csv/" + name), 1 << 20);
  EXPECT_EQ(file.status, FileReadStatus::Read) << name;
  return std::move(file.bytes);
}

// Each class as the component hands it out: "name|result|rank|club|sex" per runner.
Classes LapClasses(ResultList list) {
  Classes classes;
  for (ClassResult& classResult : list.classes) {
    const LapClass lapClass = RankClassResult(std::move(classResult));
    Rows rows = test_support::LapRows(lapClass);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      rows[i] += "|" + convert::Utf16ToUtf8(lapClass.runners[i].clubName) + "|" +
                 convert::Utf16ToUtf8(lapClass.runners[i].sex);
    }
    classes.emplace_back(convert::Utf16ToUtf8(lapClass.name), std::move(rows));
  }
  return classes;
}

TEST(ReadCsvResultList, ReadsEachLanguageEncodingAndSeparator) {
  const struct {
    std::string bytes;
    Classes classes;
  } cases[] = {
      {FileBytes("results_en_cp932.csv"),  // CRLF; nc; the address City is not the club
       {{"M21A",
         {"髙橋 一郎|0:58:30|1|八王子OLC|M", "山田 太郎|1:02:03|2|東京OLC|M",
          "鈴木 次郎|0:50:00|'OP'|東京OLC|M", "田中|失格|''||M"}},
        {"W21A", {"佐藤 花子|0:45:10|1|KOC|F", "①子|欠場|''||F"}}}},
      {FileBytes("results_de_utf8_bom.csv"),  // LF; quoted fields; a tie "1="; class from Lang; no places
       {{"H21", {"Müller Jörg|1:02:03|1|OLG Bärental|M", "Kühn Max|1:02:03|1|SV Wald\r\nNord|M"}},
        {"D21", {"Groß Anna \"Nanni\"|1:05:00|1|SV Wald; Nord|F", "Weiß Eva|途中棄権|''||F"}},
        {"Herren 45", {"Becker Uwe|0:38:00|1||M", "Schulz Bernd|0:40:00|2||M"}}}},
      {FileBytes("results_en_windows1252.csv"),  // tabs; no places
       {{"H21", {"Öberg Lars|0:33:59|1|IFK Göteborg|M", "Müller José|0:35:00|2|IFK Göteborg|M"}},
        {"D21", {"Brandt Renée|失格|''|OK Linné|F"}}}},
      {FileBytes("results_utf16le_bom.csv"), {{"M", {"𠮷野|0:10:00|1||"}}}},
      {"Surname,First name,Time,Classifier,Short\r\nA,\"B, C\",10:00,0,M\rD,,9:00,0,M",  // commas; CR alone
       {{"M", {"D|0:09:00|1||", "A B, C|0:10:00|2||"}}}},
  };
  for (const auto& c : cases) {
    CsvReadResult result = ReadCsvResultList(c.bytes);
    ASSERT_EQ(result.status, CsvReadStatus::Read) << convert::Utf16ToUtf8(result.reason);
    EXPECT_TRUE(result.list.eventId.empty() && result.list.eventName.empty() && !result.list.eventDate);
    EXPECT_EQ(LapClasses(std::move(result.list)), c.classes);
  }
}

TEST(ReadCsvResultList, FailsWithItsReason) {
  const std::string header = "Surname;Time;Classifier;Short\n";
  const struct {
    std::string bytes;
    CsvReadStatus status;
    std::u16string reason;
  } cases[] = {
      {"", CsvReadStatus::NoHeader, u"CSV の結果リストの見出し行がありません"},
      {"Name;Club;Time\nA;B;10:00\n", CsvReadStatus::NoHeader, u"CSV の結果リストの見出し行がありません"},
      {"<?xml version=\"1.0\"?><ResultList/>", CsvReadStatus::NoHeader,
       u"CSV の結果リストの見出し行がありません"},
      {"Surname;First name;Zeit\nA;B;10:00\n", CsvReadStatus::MissingColumns,
       u"CSV の結果リストに必要な列がありません: 状態 (Classifier / Wertung)、クラス (Short, Long / Kurz, "
       u"Lang)"},
      {"Time;Classifier;Short\n10:00;0;M\n", CsvReadStatus::MissingColumns,
       u"CSV の結果リストに必要な列がありません: 氏名 (Surname, First name / Nachname, Vorname)"},
      {header + "A;10:00;0;M\n\"B;10:00;0;M\nC;10:00;0;M\n", CsvReadStatus::UnclosedQuote,
       u"CSV として正しくありません: 引用符が閉じていません (3 行目)"},
      {header + "M\xFCller\x81;10:00;0;M\n", CsvReadStatus::InvalidBytes,
       u"文字コードを判定できません: UTF-8 でも CP932 でもなく、Windows-1252 として正しくないバイト 0x81 "
       u"があります (行 2、位置 "
       u"36 バイト目)"},
      // CP932 reads on to the fault; Windows-1252 would stop at the sound 、 (81 41) before it.
      {header + "\x8ER\x93"
                "c\x81"
                "A\x89\xD4\x8Eq;10:00;0;M\r\n\xFF;10:00;0;M\n",
       CsvReadStatus::InvalidBytes,
       u"文字コードを判定できません: UTF-8 でも Windows-1252 でもなく、CP932 として正しくないバイト 0xFF "
       u"があります (行 3、位置 "
       u"52 バイト目)"},
      // UTF-8 with one stray Latin-1 byte: not a CP932 file
      {header + "山田;10:00;0;M\nM\xFCller;10:00;0;M\n", CsvReadStatus::InvalidBytes,
       u"UTF-8 として正しくないバイト 0xFC があります (行 3、位置 48 バイト目)"},
      {"\xEF\xBB\xBFSurname\xF4\x90\x80\x80"s, CsvReadStatus::InvalidBytes,
       u"UTF-8 として正しくないバイト 0xF4 があります (行 1、位置 10 バイト目)"},  // beyond U+10FFFF
      {"\xFF\xFES\0\n\0u\0\0\xD8"s, CsvReadStatus::InvalidBytes,
       u"UTF-16LE として正しくないバイトがあります (行 2、位置 8 バイト目)"},  // ends inside a surrogate pair
      {header + "A;10:00;0;M\nB\0;10:00;0;M\n"s, CsvReadStatus::NulCharacter,
       u"CSV として正しくありません: NUL 文字があります (3 行目)"},
      {header + "A;10:00;0;M\n\xEF\xBB\xBF" + header + "B;10:00;0;M\n", CsvReadStatus::SecondHeader,
       u"CSV として正しくありません: 見出し行がもう一度あります (3 "
       u"行目)。ふたつのファイルをつないだものなら、分けてから開いてください"},
      {header + "A;10:00;0;M\n" + std::string(4097, 'W') + ";10:00;0;M\n", CsvReadStatus::OverlongValue,
       u"値が長すぎます (4096 文字まで): 選手名 \"" + std::u16string(32, u'W') + u"…\" (3 行目)"},
      {header + "\"" + std::string(16385, 'W') + "\";10:00;0;M\n", CsvReadStatus::OverlongValue,
       u"値が長すぎます (16384 バイトまで) (2 行目)"},
  };
  for (const auto& c : cases) {
    const CsvReadResult result = ReadCsvResultList(c.bytes);
    EXPECT_EQ(result.status, c.status) << c.bytes.substr(0, 80);
    EXPECT_EQ(result.reason, c.reason) << convert::Utf16ToUtf8(result.reason);
  }
}

TEST(LooksLikeCsvResultList, RecognisesTheHeaderFromTheFirstBytes) {
  const struct {
    std::string firstBytes;
    bool claimed;
  } cases[] = {
      {"Stno;Surname;First name;YB;S;nc;Time;Classifier\r\n1;\x8E", true},  // cut inside a CP932 character
      {"\r\n\nNachname;Vorname;Zeit;Wertung;Kurz", true},                   // blank lines first; no line end
      {"\xFF\xFE\n\0S\0u\0r\0n\0a\0m\0e\0\t\0T\0i\0m\0e\0\n\0\xD8"s, true},
      {"Surname;Time", true},
      {"Surname;First name;Club\r\n", false},  // only the name of what a result needs
      {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ResultList>", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(LooksLikeCsvResultList(c.firstBytes), c.claimed) << c.firstBytes;
}

}  // namespace
}  // namespace pointimport::outside::lapfile::csv

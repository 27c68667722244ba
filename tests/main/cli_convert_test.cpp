#include <gtest/gtest.h>

#include <bit>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "support/run_program.h"
#include "support/temp_dir.h"
#include "support/test_database.h"

namespace pointimport::test_support {
namespace {

const std::filesystem::path kAccessData = POINTIMPORT_ACCESS_TEST_DATA_DIR;

const std::map<std::string, std::vector<std::string>> kColumns = {
    {"EVENT", {"ID", "NAME", "TERRAIN", "EVENT_DATE"}},
    {"PERSON", {"ID", "NAME", "CLUB", "SEX"}},
    {"RESULT", {"EVENT_ID", "PERSON_ID", "CLASS", "PLACE", "RESULT", "POINT"}},
};

// Each table's rows as the listing beside an Access file gives them, one
// "value|storage class" per column, as the import would have stored them.
std::map<std::string, std::vector<std::string>> ExpectedRows(const std::filesystem::path& listing) {
  std::map<std::string, std::vector<std::string>> tables;
  std::ifstream in(listing);
  std::string table;
  for (std::string line; std::getline(in, line);) {
    if (kColumns.contains(line.substr(0, line.find(' ')))) table = line.substr(0, line.find(' '));
    const auto open = line.find("][{");
    if (open == std::string::npos) continue;
    const std::string body = line.substr(open + 3, line.size() - open - 5);
    const auto& columns = kColumns.at(table);
    std::string row;
    for (std::size_t c = 0; c < columns.size(); ++c) {
      const std::size_t start = body.find(columns[c] + "=") + columns[c].size() + 1;
      const std::size_t end =
          c + 1 < columns.size() ? body.find("," + columns[c + 1] + "=", start) : body.size();
      std::string value = body.substr(start, end - start);
      std::string type = "text";
      if (value == "<null>") {
        value = "NULL", type = "null";
      } else if (columns[c] == "POINT") {
        // Every bit: the stored double written with 17 digits reads back as itself.
        value = std::to_string(std::bit_cast<std::uint64_t>(std::strtod(value.c_str(), nullptr))),
        type = "real";
      } else if (columns[c] == "PLACE" && !value.empty() &&
                 value.find_first_not_of("0123456789") == std::string::npos) {
        type = "integer";
      } else if (columns[c] == "EVENT_DATE" && value.find('T') != std::string::npos) {
        // A Date/Time column, listed as ISO: stored as the import writes dates.
        value = value.substr(0, 4) + "/" + value.substr(5, 2) + "/" + value.substr(8, 2) + " " +
                value.substr(11) + ":00";
      }
      row += (c ? "\t" : "") + value + "|" + type;
    }
    tables[table].push_back(row);
  }
  return tables;
}

std::vector<std::string> StoredRows(const std::filesystem::path& database, const std::string& table) {
  std::string select;
  for (const auto& column : kColumns.at(table)) {
    // POINT with 17 digits, which give back every bit, and its storage class.
    select += (select.empty() ? "" : ", ") +
              (column == "POINT" ? "printf('%!.17g', POINT) || '|' || typeof(POINT)" : column);
  }
  std::vector<std::string> rows =
      QueryRows(database, "SELECT " + select + " FROM " + table + " ORDER BY rowid", true);
  if (table != "RESULT") return rows;
  for (auto& row : rows) {
    const std::size_t start = row.rfind('\t') + 1;
    const std::string point = row.substr(start, row.rfind('|') - start);
    const double value = std::strtod(point.c_str(), nullptr);
    row = row.substr(0, start) +
          (point.ends_with("|real") ? std::to_string(std::bit_cast<std::uint64_t>(value)) + "|real" : point);
  }
  return rows;
}

TEST(CliConvert, CarriesEveryRowOverExactly) {
  if (!std::filesystem::exists(kAccessData)) GTEST_SKIP() << "no Access test files at " << kAccessData;
  for (const char* name : {"RovevizoduziDivoz", "RovevizoduziDivoz_textdate"}) {
    TempDir dir;
    const auto database = dir.File("points.sqlite");
    const auto source = kAccessData / (std::string(name) + ".mdb");
    const std::string before = ReadFileBytes(source);
    const auto result =
        RunProgram("pointimport-cli", {"convert", source.string(), "--database", database.string()});
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    const auto expected = ExpectedRows(kAccessData / (std::string(name) + ".rows.txt"));
    ASSERT_EQ(expected.size(), 3U) << name;
    for (const auto& [table, rows] : expected)
      EXPECT_EQ(StoredRows(database, table), rows) << name << " " << table;
    EXPECT_EQ(ReadFileBytes(source), before);
  }
}

// An existing target, a file that is no Access database, a cut Access file
// and a missing argument: nothing is written over or created.
TEST(CliConvert, RefusesWhatItCannotCarryOverAndCreatesNothing) {
  if (!std::filesystem::exists(kAccessData)) GTEST_SKIP() << "no Access test files at " << kAccessData;
  TempDir dir;
  const auto existing = dir.File("points.sqlite");
  CreateTestDatabase(existing);
  const auto text = dir.File("notes.mdb");
  WriteFileBytes(text, std::string(4096, 'x'));
  const auto access = kAccessData / "RovevizoduziDivoz.mdb";
  const auto cut = dir.File("cut.mdb");
  WriteFileBytes(cut, ReadFileBytes(access).substr(0, 150000));
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"convert", access.string(), "--database", existing.string()}, "ファイルが既にあります"},
      {{"convert", text.string(), "--database", dir.File("new.sqlite").string()},
       "Access のデータベースファイルではありません"},
      {{"convert", cut.string(), "--database", dir.File("new.sqlite").string()}, "途中で切れています"},
      {{"convert", "--database", dir.File("new.sqlite").string()}, "指定してください"},
  };
  const std::string before = ReadFileBytes(existing);
  for (const auto& c : cases) {
    const auto result = RunProgram("pointimport-cli", c.args);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
  }
  EXPECT_EQ(ReadFileBytes(existing), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 3);
}

}  // namespace
}  // namespace pointimport::test_support

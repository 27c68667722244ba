#include "outside/sqlite/real_literal.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstring>
#include <random>
#include <string>

#include "convert/utf.h"

namespace pointimport::outside::sqlite {
namespace {

// Where the value is called certain, it is SQLite's own to the last bit;
// points as the import writes them (15 significant digits) nearly always
// are. The first literals are some that SQLite reads one bit away from the
// nearest double.
TEST(RealLiteralValueWhereCertain, IsWhatSqliteReadsToTheBit) {
  std::vector<std::string> literals = {"653.218412816691",
                                       "121.425289079673",
                                       "30.660139129509",
                                       "539.652127734055",
                                       "66.6666666666667",
                                       "87.5",
                                       "100.0",
                                       "5.",
                                       ".5",
                                       "0.0",
                                       "0.000123",
                                       "1e+15",
                                       "1234567890123456.5",
                                       "0.00000000000000000001"};
  std::mt19937_64 random(7);
  for (int i = 0; i < 100000; ++i) {
    const std::string whole = std::to_string(random() % 1000);
    std::string fraction = std::to_string(random() % 1'000'000'000'000);
    literals.push_back(whole + "." + std::string(12 - fraction.size(), '0') + fraction);
  }

  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
  sqlite3_stmt* cast = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT CAST(?1 AS REAL)", -1, &cast, nullptr), SQLITE_OK);
  std::size_t certain = 0;
  for (const auto& literal : literals) {
    sqlite3_bind_text(cast, 1, literal.data(), static_cast<int>(literal.size()), SQLITE_STATIC);
    ASSERT_EQ(sqlite3_step(cast), SQLITE_ROW);
    const double sqlites = sqlite3_column_double(cast, 0);
    sqlite3_reset(cast);
    const auto value = RealLiteralValueWhereCertain(convert::Utf8ToUtf16(literal));
    if (!value) continue;
    ++certain;
    EXPECT_EQ(std::memcmp(&*value, &sqlites, sizeof sqlites), 0) << literal;
  }
  sqlite3_finalize(cast);
  sqlite3_close(db);
  EXPECT_GT(certain, literals.size() * 99 / 100);
}

}  // namespace
}  // namespace pointimport::outside::sqlite

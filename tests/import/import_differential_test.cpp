// The connection binds literals into prepared statements kept by shape. An
// import through it must store exactly what preparing each statement text by
// itself stores: the same rows, bytes and storage classes.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "convert/utf.h"
#include "outside/create_object.h"
#include "support/generated_lap_file.h"
#include "support/import_fixture.h"

namespace pointimport::import {
namespace {

class ImportDifferentialTest : public test_support::ImportTest {};

// Runs each statement text by itself on a plain SQLite connection.
void Replay(const std::filesystem::path& database, const std::vector<std::u16string>& statements) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(database.c_str(), &db), SQLITE_OK);
  sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
  for (const auto& statement : statements) {
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, convert::Utf16ToUtf8(statement).c_str(), nullptr, nullptr, &error), SQLITE_OK)
        << (error ? error : "");
    sqlite3_free(error);
  }
  sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(db);
}

TEST_F(ImportDifferentialTest, BoundStatementsStoreWhatTheirTextsStore) {
  const auto file = test_support::GenerateLapFile(dir_.File("event.xml"), {.runners = 3000, .seed = 11});
  auto component = outside::CreateObjectAs<outside::LapComponent>(outside::kLapComponentProgId);
  ASSERT_EQ(component->FileControl()->LoadLapFile(convert::Utf8ToUtf16(file.string())), convert::Variant(true));

  const auto replayed = dir_.File("replayed.mdb");
  test_support::CreateTestDatabase(replayed);
  statements_.clear();
  const ImportSummary summary = RunImport(logged_, *component, host_);
  ASSERT_TRUE(summary.failures.empty());
  Replay(replayed, statements_);

  for (const char* table : {"EVENT", "PERSON", "RESULT"}) {
    const std::string query = std::string("SELECT * FROM ") + table + " ORDER BY rowid";
    EXPECT_EQ(test_support::QueryRows(path_, query, true), test_support::QueryRows(replayed, query, true))
        << table;
  }
  // Reals compared to the last bit: 17 significant digits tell doubles apart.
  const std::string bits = "SELECT printf('%.17e', POINT) FROM RESULT ORDER BY rowid";
  EXPECT_EQ(test_support::QueryRows(path_, bits), test_support::QueryRows(replayed, bits));
}

}  // namespace
}  // namespace pointimport::import

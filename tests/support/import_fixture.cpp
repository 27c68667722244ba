#include "support/import_fixture.h"

#include <algorithm>

#include "convert/runtime_error.h"

namespace pointimport::test_support {

ImportTest::ImportTest()
    : path_((CreateTestDatabase(dir_.File("RovevizoduziDivoz.mdb")), dir_.File("RovevizoduziDivoz.mdb"))),
      connection_(OpenTestConnection(path_)),
      logged_(*connection_, [this](const std::u16string& statement) { statements_.push_back(statement); }) {}

import::ImportSummary ImportTest::Import(const FakeEvent& event, const import::ImportOptions& options){
    FakeLapComponent component(event);
statements_.clear();
return import::RunImport(logged_, component, host_, options);
}  // namespace pointimport::test_support

std::u16string ImportTest::ImportFailing(const FakeEvent& event) {
  try {
    Import(event);
  } catch (const convert::RuntimeError& error) {
    return error.Description();
  }
  ADD_FAILURE() << "the import did not stop";
  return {};
}

std::vector<std::string> ImportTest::Snapshot() const {
  std::vector<std::string> rows;
  for (const char* table : {"EVENT", "PERSON", "RESULT"}) {
    for (auto& row : QueryRows(path_, std::string("SELECT * FROM ") + table + " ORDER BY rowid", true)) {
      rows.push_back(std::string(table) + ": " + row);
    }
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

FakeResult Runner(const std::u16string& name, const convert::Variant& rank, const std::u16string& time,
                  const std::u16string& club, const std::u16string& sex) {
  return {convert::Variant(time), rank, convert::Variant(name), convert::Variant(club), convert::Variant(sex)};
}

}  // namespace pointimport::test_support

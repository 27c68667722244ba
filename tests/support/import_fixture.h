#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/import_run.h"
#include "outside/logging_connection.h"
#include "support/fake_lap_component.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"
#include "support/test_database.h"

namespace pointimport::test_support {

// A points database in a temporary folder, an open connection that records
// every statement it executes, and helpers to run imports into it.
class ImportTest : public ::testing::Test {
 protected:
  ImportTest();

  // Runs an import of event; returns the summary.
  import::ImportSummary Import(const FakeEvent& event, const import::ImportOptions& options = {});

  // Runs an import that must stop with an error; returns its description.
  std::u16string ImportFailing(const FakeEvent& event);

  std::vector<std::string> Rows(const std::string& sql) const { return QueryRows(path_, sql); }

  // Every row of the three tables with storage classes, sorted, for
  // comparing database states.
  std::vector<std::string> Snapshot() const;

  void Execute(const std::u16string& sql) { connection_->Execute(sql); }

  TempDir dir_;
  std::filesystem::path path_;
  std::shared_ptr<outside::sqlite::SqliteConnection> connection_;
  std::vector<std::u16string> statements_;
  outside::LoggingConnection logged_;
  RecordingHost host_;
};

// One runner of a fake class.
FakeResult Runner(const std::u16string& name, const convert::Variant& rank, const std::u16string& time,
                  const std::u16string& club = u"", const std::u16string& sex = u"");

}  // namespace pointimport::test_support

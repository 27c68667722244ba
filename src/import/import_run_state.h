#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "import/failure_lines.h"
#include "import/import_report.h"
#include "outside/connection.h"
#include "outside/lap_component.h"

namespace pointimport::import {

// What the steps of one import run share: the connection and the component
// it works on, the failure lines and the report it fills in, and the text
// its row statements are built in.
struct ImportRun {
  outside::Connection& connection;
  outside::LapComponent& component;
  FailureLines& failures;
  ImportReport& report;
  // Every row's statements are built in this one text, each over the last
  // one's allocation (see statements.h).
  std::u16string statement;

  // Writes statement, the person or result row of result, under the trap
  // (see WriteRow); a row not written adds its failure line, with prefix and
  // the name of class classNumber. Returns why the row was not written.
  std::optional<std::u16string> WriteRunnerRow(const char16_t* failurePrefix, std::int32_t classNumber,
                                               outside::LapResult& result);
};

}  // namespace pointimport::import

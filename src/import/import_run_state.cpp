#include "import/import_run_state.h"

#include "import/row_write.h"

namespace pointimport::import {

std::optional<std::u16string> ImportRun::WriteRunnerRow(const char16_t* failurePrefix, std::int32_t classNumber,
                                                        outside::LapResult& result) {
  std::optional<std::u16string> cause = WriteRow(connection, statement);
  if (cause) AddFailureLine(failures, failurePrefix, component, classNumber, result);
  return cause;
}

}  // namespace pointimport::import

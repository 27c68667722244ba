#include "import/row_write.h"

#include "convert/runtime_error.h"

namespace pointimport::import {

std::optional<std::u16string> WriteRow(outside::Connection& connection, const std::u16string& statement) {
  try {
    if (connection.ExecuteInSavepoint(statement) > 0) return std::nullopt;
    return kRowIgnoredCause;
  } catch (const convert::RuntimeError& error) {
    return error.Description();
  }
}

}  // namespace pointimport::import

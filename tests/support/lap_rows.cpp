#include "support/lap_rows.h"

#include "convert/utf.h"

namespace pointimport::test_support {

std::vector<std::string> LapRows(const outside::lapfile::LapClass& lapClass) {
  std::vector<std::string> rows;
  for (const outside::lapfile::LapRunner& runner : lapClass.runners) {
    const std::string rank = runner.rank.IsString() ? "'" + convert::Utf16ToUtf8(runner.rank.AsString()) + "'"
                                                    : std::to_string(runner.rank.AsLong());
    rows.push_back(convert::Utf16ToUtf8(runner.runnerName) + "|" +
                   convert::Utf16ToUtf8(runner.result.AsString()) + "|" + rank);
  }
  return rows;
}

}  // namespace pointimport::test_support

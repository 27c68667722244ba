#pragma once

#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/exclusive_file.h"

namespace pointimport::main {

// Where the command line writes its report. The report is made in a file of
// its own beside the destination and takes the destination's place only when
// it is whole, so that a run that stops leaves what stood there as it was.
class ReportDestination {
 public:
  // Why the report may not go to path: it would destroy a file the command
  // reads (inputs, also through a link) or a file that is no earlier report
  // (one that does not begin with reportStart), or it cannot take a file's
  // place (a folder, a FIFO, a device). Empty when it may.
  static std::u16string Refusal(const std::u16string& path, const std::vector<std::u16string>& inputs,
                                std::string_view reportStart);

  // Makes the file the report is written into, beside path.
  std::error_code Open(const std::u16string& path);

  // Writes the report and puts it in the destination's place.
  std::error_code Commit(std::string_view report);

 private:
  std::u16string destination_;
  platform::ExclusiveFile file_;
};

}  // namespace pointimport::main

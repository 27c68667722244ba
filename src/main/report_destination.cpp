#include "main/report_destination.h"

#include <filesystem>
#include <fstream>

#include "convert/utf.h"
#include "platform/file_system.h"

namespace pointimport::main {

namespace fs = std::filesystem;

std::u16string ReportDestination::Refusal(const std::u16string& path, const std::vector<std::u16string>& inputs,
                                          std::string_view reportStart) {
  const fs::path destination = platform::FilesystemPath(path);
  std::error_code error;
  const fs::file_status status = fs::status(destination, error);  // that of a link's target
  if (fs::is_directory(status)) return u"フォルダーです";
  if (fs::exists(status) && !fs::is_regular_file(status)) return u"通常のファイルではありません";
  for (const auto& input : inputs) {
    if (fs::equivalent(destination, platform::FilesystemPath(input), error)) {
      return u"読み込むファイルと同じファイルです: " + input;
    }
  }
  // "--report *.csv" takes the first lap file for the report's name.
  if (fs::is_regular_file(status) && fs::file_size(destination, error) > 0) {
    std::string start(reportStart.size(), '\0');
    std::ifstream existing(destination, std::ios::binary);
    existing.read(start.data(), static_cast<std::streamsize>(start.size()));
    if (start != reportStart) return u"レポートではないファイルが既にあります。置き換えません";
  }
  return {};
}

std::error_code ReportDestination::Open(const std::u16string& path) {
  destination_ = path;
  fs::path folder = platform::FilesystemPath(path).parent_path();
  if (folder.empty()) folder = ".";
  // A name of its own, short whatever the report's name, hidden until renamed.
  const std::u16string stem =
      platform::FromFilesystemPath(folder / ".pointimport-report-") + platform::ProcessTag() + u"-";
  for (int n = 1;; ++n) {
    const std::error_code error = file_.Create(stem + convert::Utf8ToUtf16(std::to_string(n)));
    if (error != std::errc::file_exists) return error;
  }
}

std::error_code ReportDestination::Commit(std::string_view report) {
  const std::error_code error = file_.WriteAndClose(report);
  return error ? error : file_.RenameTo(destination_);
}

}  // namespace pointimport::main

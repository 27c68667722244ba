#include "main/report_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "convert/number_text.h"
#include "convert/utf.h"
#include "main/database_location.h"
#include "main/report_html.h"
#include "main/report_summary.h"
#include "main/report_texts.h"
#include "platform/local_time.h"

namespace pointimport::main {

namespace {

// Keywords are the operator's own; long ones are cut so that the name stays
// well under the file system's 255 bytes.
constexpr std::size_t kMaxKeywordUnits = 80;

bool UnsafeInFileName(char16_t c) {
  // C0 controls, DEL, and what Windows, macOS or a shell would choke on.
  if (c < 0x20 || c == 0x7F) return true;
  if (c >= 0xD800 && c <= 0xDFFF) return true;  // surrogates: kept whole below only when paired
  switch (c) {
    case u'/':
    case u'\\':
    case u':':
    case u'*':
    case u'?':
    case u'"':
    case u'<':
    case u'>':
    case u'|':
      return true;
    default:
      return false;
  }
}

std::u16string SafeKeyword(const std::u16string& keyword) {
  std::u16string safe;
  for (std::size_t i = 0; i < keyword.size() && safe.size() < kMaxKeywordUnits; ++i) {
    const char16_t c = keyword[i];
    const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < keyword.size() && keyword[i + 1] >= 0xDC00 &&
                      keyword[i + 1] <= 0xDFFF;
    if (pair) {
      safe += keyword.substr(i++, 2);
    } else {
      safe.push_back(UnsafeInFileName(c) ? u'_' : c);
    }
  }
  // A leading dot would hide the file.
  if (!safe.empty() && safe.front() == u'.') safe.front() = u'_';
  return safe.empty() ? u"report" : safe;
}

std::u16string LocalStamp(std::time_t when) {
  const std::tm local = platform::LocalTime(when);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return convert::Utf8ToUtf16(text);
}

}  // namespace

SavedReport SaveHtmlReport(const import::ImportReport& report, const std::u16string& folder, std::time_t when) {
  namespace fs = std::filesystem;
  const fs::path directory(convert::NativePath(folder));
  std::error_code error;
  fs::create_directories(directory, error);
  if (error) {
    return {
        false, {}, u"フォルダーを作れません: " + folder + u" (" + convert::Utf8ToUtf16(error.message()) + u")"};
  }
  const std::u16string stem = AddPathSeparator(folder) + SafeKeyword(report.keyword) + u"_" + LocalStamp(when);
  std::u16string path = stem + u".html";
  for (int n = 2; fs::exists(fs::path(convert::NativePath(path)), error); ++n) {
    path = stem + u"-" + convert::Utf8ToUtf16(std::to_string(n)) + u".html";
  }
  std::ofstream file(convert::NativePath(path), std::ios::binary | std::ios::trunc);
  if (file) WriteHtmlReport({report}, file);
  file.close();
  if (!file) {
    const int cause = errno;
    return {false, {}, u"書き込めません: " + path + u" (" + convert::Utf8ToUtf16(std::strerror(cause)) + u")"};
  }
  return {true, path, {}};
}

std::u16string CompletionDetails(const import::ImportReport& report, const SavedReport& saved) {
  std::u16string details = u"キーワード: " + report.keyword + u"\n大会: " + ValueText(report.description) +
                           u"\n書き込んだ結果行: " + convert::FormatInteger(report.resultRowsWritten) +
                           u"\n書き込めなかった結果行: " + convert::FormatInteger(report.resultRowsRefused) +
                           u"\n" + ReportSummaryText(report) + u"\n";
  details += saved.saved ? u"\nレポート: " + saved.path : u"\nレポートを保存できませんでした: " + saved.reason;
  return details;
}

}  // namespace pointimport::main

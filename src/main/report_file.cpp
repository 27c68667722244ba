#include "main/report_file.h"

#include <filesystem>
#include <sstream>
#include <system_error>

#include "convert/number_text.h"
#include "convert/utf.h"
#include "main/database_location.h"
#include "main/report_html.h"
#include "main/report_summary.h"
#include "main/report_texts.h"
#include "platform/exclusive_file.h"
#include "platform/file_system.h"
#include "platform/local_time.h"

namespace pointimport::main {

namespace {

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

std::size_t Utf8Size(char16_t c) { return c < 0x80 ? 1 : c < 0x800 ? 2 : 3; }

// The keyword as a file name of at most maxBytes in UTF-8, cut between
// characters: keywords are the operator's own, and 79 kanji already pass the
// file system's usual 255 bytes once the time is added.
std::u16string SafeKeyword(const std::u16string& keyword, std::size_t maxBytes) {
  std::u16string safe;
  std::size_t bytes = 0;
  for (std::size_t i = 0; i < keyword.size(); ++i) {
    const char16_t c = keyword[i];
    const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < keyword.size() && keyword[i + 1] >= 0xDC00 &&
                      keyword[i + 1] <= 0xDFFF;
    const std::size_t size = pair ? 4 : Utf8Size(UnsafeInFileName(c) ? u'_' : c);
    if (bytes + size > maxBytes) break;
    bytes += size;
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
  std::error_code error;
  fs::create_directories(platform::FilesystemPath(folder), error);
  if (error) {
    return {
        false, {}, u"フォルダーを作れません: " + folder + u" (" + convert::Utf8ToUtf16(error.message()) + u")"};
  }
  std::ostringstream page;
  WriteHtmlReport({report}, page);
  const std::size_t nameLimit = platform::FileNameLimit(folder);
  const std::u16string stamp = u"_" + LocalStamp(when);
  // The first free name; one taken meanwhile by another window is skipped
  // too, since the file is made only where nothing stands.
  for (int n = 1;; ++n) {
    const std::u16string tail = stamp + (n == 1 ? u"" : u"-" + convert::FormatInteger(n)) + u".html";
    const std::u16string name = SafeKeyword(report.keyword, nameLimit - tail.size()) + tail;
    const std::u16string path = AddPathSeparator(folder) + name;
    platform::ExclusiveFile file;
    error = file.Create(path);
    if (error == std::errc::file_exists) continue;
    if (!error) error = file.WriteAndClose(page.str());
    if (error) {
      return {false, {}, u"書き込めません: " + path + u" (" + convert::Utf8ToUtf16(error.message()) + u")"};
    }
    file.Keep();
    return {true, path, {}};
  }
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

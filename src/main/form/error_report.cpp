#include "main/form/error_report.h"

#include "convert/utf.h"

namespace pointimport::main::form {

std::u16string ErrorReportText(const convert::RuntimeError& error) {
  return u"実行時エラー '" + convert::Utf8ToUtf16(std::to_string(error.Number())) + u"':\r\n\r\n" +
         error.Description();
}

}  // namespace pointimport::main::form

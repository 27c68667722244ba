#include "outside/lapfile/file_name_text.h"

#include <algorithm>
#include <cstdio>

#include "convert/utf.h"
#include "platform/legacy_text.h"

namespace pointimport::outside::lapfile {

std::optional<std::u16string> FileNameText(std::string_view nativeBytes) {
  if (convert::IsValidUtf8(nativeBytes)) return convert::Utf8ToUtf16(nativeBytes);
  platform::LegacyTextResult cp932 = platform::ConvertToUtf8(nativeBytes, "CP932");
  if (cp932.status != platform::LegacyTextStatus::Converted) return std::nullopt;
  return convert::Utf8ToUtf16(cp932.utf8);
}

std::u16string ShownPath(std::u16string_view path) {
  const std::string native = convert::NativePath(path);
  std::u16string shown;
  for (std::size_t begin = 0; begin <= native.size();) {
    const std::size_t slash = std::min(native.find('/', begin), native.size());
    const std::string_view name = std::string_view(native).substr(begin, slash - begin);
    if (const std::optional<std::u16string> text = FileNameText(name)) {
      shown += *text;
    } else {
      // PathFromNative keeps each byte that is no UTF-8 as U+DC80..U+DCFF.
      for (const char16_t unit : convert::PathFromNative(name)) {
        if (unit < 0xDC80 || unit > 0xDCFF) {
          shown += unit;
          continue;
        }
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", unit - 0xDC00);
        shown += convert::Utf8ToUtf16(escaped);
      }
    }
    if (slash < native.size()) shown += u'/';
    begin = slash + 1;
  }
  return shown;
}

}  // namespace pointimport::outside::lapfile

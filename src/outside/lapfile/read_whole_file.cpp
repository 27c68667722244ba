#include "outside/lapfile/read_whole_file.h"

#include <string>

#include "convert/utf.h"
#include "outside/lapfile/file_name_text.h"
#include "platform/read_file.h"

namespace pointimport::outside::lapfile {

using convert::Utf8ToUtf16;

namespace {

FileReadResult CannotRead(std::u16string reason) { return {FileReadStatus::CannotRead, std::move(reason), {}}; }

}  // namespace

FileReadResult ReadWholeFile(const std::u16string& path, std::size_t maxBytes) {
  platform::FileBytes file = platform::ReadFileBounded(path, maxBytes);
  const std::u16string shown = ShownPath(path);
  switch (file.failure) {
    case platform::ReadFailure::None:
      return {FileReadStatus::Read, {}, std::move(file.bytes)};
    case platform::ReadFailure::Missing:
      return CannotRead(u"ファイルが見つかりません: " + shown);
    case platform::ReadFailure::NoPermission:
      return CannotRead(u"ファイルを読む権限がありません: " + shown);
    case platform::ReadFailure::Folder:
      return CannotRead(u"フォルダーはファイルとして読めません: " + shown);
    case platform::ReadFailure::Fifo:
      return CannotRead(u"名前付きパイプ (FIFO) はファイルとして読めません: " + shown);
    case platform::ReadFailure::NotRegular:
      return CannotRead(u"通常のファイルではないので読めません: " + shown);
    case platform::ReadFailure::TooLarge:
      return {FileReadStatus::TooLarge,
              u"ファイルが大きすぎます: " + shown + u" (" + Utf8ToUtf16(std::to_string(file.size)) +
                  (file.sizeAtLeast ? u" バイト以上" : u" バイト") + u"、読めるのは " +
                  Utf8ToUtf16(std::to_string(maxBytes)) + u" バイトまで)",
              {}};
    case platform::ReadFailure::Other:
      break;
  }
  return CannotRead(u"ファイルを読めません: " + shown + u" (" + Utf8ToUtf16(file.systemMessage) + u")");
}

}  // namespace pointimport::outside::lapfile

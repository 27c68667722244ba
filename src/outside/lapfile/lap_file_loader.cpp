#include "outside/lapfile/lap_file_loader.h"

#include <filesystem>
#include <optional>

#include "convert/utf.h"
#include "outside/lapfile/file_name_text.h"
#include "outside/lapfile/lap_formats.h"
#include "outside/lapfile/read_whole_file.h"

namespace pointimport::outside::lapfile {

namespace {

LapLoadResult Failure(LapLoadStatus status, std::u16string reason) { return {status, std::move(reason), {}}; }

}  // namespace

LapLoadResult ReadLapFileBytes(std::string bytes, std::u16string_view extension,
                               const std::u16string& fileNameKeyword) {
  const LapFormat* format = FormatOf(bytes, extension);
  if (format == nullptr) {
    return Failure(LapLoadStatus::UnknownFormat,
                   u"読める形式のファイルではありません: 読めるのは " + LapFormatNames() + u" です");
  }
  return format->read(std::move(bytes), fileNameKeyword);
}

LapLoadResult LoadLapFile(const std::u16string& path) {
  // The name's own bytes, which need not be UTF-8. A keyword made of
  // replacement characters would be shared by every file whose name is
  // read alike, and importing one would delete another's results.
  const std::filesystem::path native(convert::NativePath(path));
  const std::optional<std::u16string> keyword = FileNameText(native.stem().native());
  if (!keyword) {
    return Failure(LapLoadStatus::UnreadableName,
                   u"ファイル名を読めません: UTF-8 でも CP932 "
                   u"でもない名前です。ファイルの名前を変えてから開いてください: " +
                       ShownPath(path));
  }
  FileReadResult file = ReadWholeFile(path, kMaxLapFileBytes);
  switch (file.status) {
    case FileReadStatus::Read:
      break;
    case FileReadStatus::CannotRead:
      return Failure(LapLoadStatus::CannotRead, std::move(file.reason));
    case FileReadStatus::TooLarge:
      return Failure(LapLoadStatus::TooLarge, std::move(file.reason));
  }
  return ReadLapFileBytes(std::move(file.bytes), convert::PathFromNative(native.extension().native()),
                          *keyword);
}

}  // namespace pointimport::outside::lapfile

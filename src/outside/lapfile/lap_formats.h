#pragma once

#include <string>
#include <string_view>

#include "outside/lapfile/lap_load_result.h"

namespace pointimport::outside::lapfile {

// A lap-file format that is read: one row of the table in lap_formats.cpp.
// A new format is a reader of its own, a row here and a test of its own.
struct LapFormat {
  // The file dialog's entry: "description|patterns".
  std::u16string_view filterEntry;
  // The file name extension, with its dot, compared without regard to ASCII
  // case, for a file whose content no format claims.
  std::u16string_view extension;
  // True when the bytes are surely of this format, whatever the file's name.
  bool (*claims)(std::string_view bytes);
  // Reads the whole file; fileNameKeyword is the keyword when the file
  // names no event Id.
  LapLoadResult (*read)(std::string bytes, const std::u16string& fileNameKeyword);
};

// The format that claims the bytes, in table order, else the one whose
// extension the file has; null when none does.
const LapFormat* FormatOf(std::string_view bytes, std::u16string_view extension);

// The file dialog's filter: every format's entry, then all files.
std::u16string LapFileFilter();

// Which formats are read, for the reason a file of none is refused, e.g.
// "IOF XML 結果ファイル (*.xml)".
std::u16string LapFormatNames();

}  // namespace pointimport::outside::lapfile

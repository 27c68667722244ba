#pragma once

#include <cstddef>
#include <string>

#include "outside/lapfile/lap_load_result.h"

namespace pointimport::outside::lapfile {

// Larger files are refused rather than read into memory.
inline constexpr std::size_t kMaxLapFileBytes = std::size_t{256} << 20;

// Reads the bytes of a lap file in the format that claims them (or whose
// extension, e.g. u".xml", the file has; lap_formats.h). A file of no format
// that is read is refused with a reason that names the formats that are.
LapLoadResult ReadLapFileBytes(std::string bytes, std::u16string_view extension,
                               const std::u16string& fileNameKeyword);

// Reads a lap file of at most kMaxLapFileBytes bytes. Its keyword, when the
// event has no Id, is the file's name without the extension, as
// FileNameText reads it; a file whose name it cannot read is refused.
LapLoadResult LoadLapFile(const std::u16string& path);

}  // namespace pointimport::outside::lapfile

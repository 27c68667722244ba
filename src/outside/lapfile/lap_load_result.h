#pragma once

#include <string>

#include "outside/lapfile/lap_event.h"

namespace pointimport::outside::lapfile {

enum class LapLoadStatus {
  Loaded,
  CannotRead,       // missing or unreadable
  UnreadableName,   // a file name that is neither UTF-8 nor CP932
  TooLarge,         // over kMaxLapFileBytes
  UnknownFormat,    // no format that is read claims the file
  UnknownEncoding,  // an encoding that is not read
  InvalidBytes,     // bytes that are not text in the document's encoding
  NotWellFormed,
  NotAResultList,  // the root is no IOF XML 3.0 or 2.0.3 ResultList
  OnlyChanges,     // a list of the results changed since an earlier one
  OverlongValue,   // a name, club, class or event value over kMaxValueLength
};

// What reading a lap file gives, whatever its format.
struct LapLoadResult {
  LapLoadStatus status;
  std::u16string reason;  // why, when not Loaded
  LapEvent event;         // when Loaded
};

}  // namespace pointimport::outside::lapfile

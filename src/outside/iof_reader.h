#pragma once

#include <cstddef>
#include <string>

#include "outside/lap_event.h"

namespace pointimport::outside {

// Larger files are refused rather than read into memory.
inline constexpr std::size_t kMaxLapFileBytes = std::size_t{256} << 20;

enum class LapLoadStatus {
  Loaded,
  CannotRead,       // missing or unreadable
  TooLarge,         // over kMaxLapFileBytes
  UnknownEncoding,  // an encoding that is not read
  InvalidBytes,     // bytes that are not text in the document's encoding
  NotWellFormed,
  NotAResultList,  // the root is no IOF XML 3.0 or 2.0.3 ResultList
  OnlyChanges,     // a list of the results changed since an earlier one
};

struct LapLoadResult {
  LapLoadStatus status;
  std::u16string reason;  // why, when not Loaded
  LapEvent event;         // when Loaded
};

// Reads an IOF XML result list, version 3.0 or 2.0.3, told apart by the
// document itself, in one pass: the document tree is gone when this
// returns, and only the lap values are kept.
//
// The event keyword is the event's first non-empty Id, else
// fileNameKeyword. A 3.0 list whose status is Delta holds only the results
// changed since an earlier list, and is refused: it would replace the whole
// event with a part of it. A Snapshot (2.0.3: snapshot) is provisional.
LapLoadResult ReadIofResultList(std::string bytes, const std::u16string& fileNameKeyword);

// Reads a lap file; its keyword, when the event has no Id, is the file's
// name without the extension.
LapLoadResult LoadIofLapFile(const std::u16string& path);

}  // namespace pointimport::outside

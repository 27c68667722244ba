#pragma once

#include <string>
#include <string_view>

#include "outside/lapfile/lap_load_result.h"

namespace pointimport::outside::lapfile::iof {

// True when the bytes begin as an XML document does: with <, after a
// byte-order mark and white space, if any.
bool LooksLikeXml(std::string_view bytes);

// Reads an IOF XML result list, version 3.0 or 2.0.3, told apart by the
// document itself, in one pass: the document tree is gone when this
// returns, and only the lap values are kept.
//
// The event keyword is the event's first non-empty Id, else
// fileNameKeyword. A 3.0 list whose status is Delta holds only the results
// changed since an earlier list, and is refused: it would replace the whole
// event with a part of it. A Snapshot (2.0.3: snapshot) is provisional.
LapLoadResult ReadIofResultList(std::string bytes, const std::u16string& fileNameKeyword);

}  // namespace pointimport::outside::lapfile::iof

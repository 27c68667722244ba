#pragma once

#include <optional>
#include <string>

#include "outside/connection.h"

namespace pointimport::import {

inline constexpr char16_t kRowIgnoredCause[] = u"データベースがこの行を無視しました。書き込まれていません";

// Runs the write of one person or result row under the trap, so that its
// failure undoes that row alone. Returns why the row was not written: the
// database's message, or kRowIgnoredCause when the statement changed no row
// (a schema may drop one without an error: ON CONFLICT IGNORE,
// RAISE(IGNORE)); nothing when it was written.
std::optional<std::u16string> WriteRow(outside::Connection& connection, const std::u16string& statement);

}  // namespace pointimport::import

#pragma once

#include <string>

#include "convert/runtime_error.h"

namespace pointimport::main::form {

// The text with which a handler reports an error it does not trap: the
// error's number and description.
std::u16string ErrorReportText(const convert::RuntimeError& error);

}  // namespace pointimport::main::form

#pragma once

#include <string>

namespace pointimport::platform {

// The folder of the running executable, without a trailing separator unless
// it is the root: read from the system's own name of the program file, so
// that a folder whose name is not text is still found.
std::u16string ProgramFolder();

}  // namespace pointimport::platform

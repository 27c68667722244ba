#pragma once

#include <QIcon>

namespace pointimport::main::qt {

// The window's icon, a control flag, in its two sizes: 16 x 16 in 16 colours
// and 32 x 32 in 256 colours.
QIcon WindowIcon();

}  // namespace pointimport::main::qt

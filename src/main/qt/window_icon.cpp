#include "main/qt/window_icon.h"

// Resources of a static library are linked only when something names them.
static void InitWindowIconResource() { Q_INIT_RESOURCE(window_icon); }

namespace pointimport::main::qt {

QIcon WindowIcon() {
  InitWindowIconResource();
  QIcon icon;
  icon.addFile(QStringLiteral(":/window/control_flag_16.xpm"), QSize(16, 16));
  icon.addFile(QStringLiteral(":/window/control_flag_32.xpm"), QSize(32, 32));
  return icon;
}

}  // namespace pointimport::main::qt

#include <unistd.h>

#include "platform/terminal.h"

namespace pointimport::platform {

bool IsTerminal(StandardStream stream) {
  return ::isatty(stream == StandardStream::Output ? STDOUT_FILENO : STDERR_FILENO) != 0;
}

}  // namespace pointimport::platform

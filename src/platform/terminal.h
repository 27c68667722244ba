#pragma once

namespace pointimport::platform {

enum class StandardStream { Output, Error };

// True when the stream is shown to a person as it is written (a console or
// terminal), not a file or a pipe.
bool IsTerminal(StandardStream stream);

}  // namespace pointimport::platform

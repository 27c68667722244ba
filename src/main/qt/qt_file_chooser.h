#pragma once

#include <optional>
#include <string>

#include "main/form/file_chooser.h"

class QWidget;

namespace pointimport::main::qt {

// Asks with Qt's own file dialog, never the desktop's, so that it looks and
// behaves the same everywhere. Modal over parent.
std::optional<std::u16string> ChooseFileWithQt(QWidget* parent, const form::FileChoice& choice);

}  // namespace pointimport::main::qt

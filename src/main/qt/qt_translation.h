#pragma once

class QCoreApplication;

namespace pointimport::main::qt {

// Loads Qt's own Japanese texts (the file dialog's and the message box's
// buttons and labels) from the Qt installation. False when they are not
// installed; Qt's dialogs then speak English.
bool InstallQtJapaneseTranslation(QCoreApplication& application);

}  // namespace pointimport::main::qt

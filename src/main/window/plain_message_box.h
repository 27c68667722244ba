#pragma once

#include <QString>

class QWidget;

namespace pointimport::main {

// The system's one kind of message box: the text, no icon, a single OK
// button and the caption as its title. Modal; returns when it is closed.
void ShowPlainMessage(QWidget* parent, const QString& caption, const QString& text);

}  // namespace pointimport::main

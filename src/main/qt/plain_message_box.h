#pragma once

#include <QString>

class QWidget;

namespace pointimport::main::qt {

// The system's one kind of message box: the text, no icon, a single OK
// button and the caption as its title. Modal; returns when it is closed.
// Details, when there are any, wait behind Qt's own details button.
void ShowPlainMessage(QWidget* parent, const QString& caption, const QString& text,
                      const QString& details = QString());

// The same box with Yes and No; No is the default and the escape button.
// True only when Yes was chosen.
bool AskPlainYesNo(QWidget* parent, const QString& caption, const QString& text);

}  // namespace pointimport::main::qt

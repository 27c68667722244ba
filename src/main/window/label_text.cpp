#include "main/window/label_text.h"

#include <QLabel>

#include "main/window/qt_text.h"

namespace pointimport::main {

void SetLabelText(QLabel& label, const std::u16string& text) {
  const QString shown = ToQString(text);
  label.setText(shown);
  label.setToolTip(shown);
}

}  // namespace pointimport::main

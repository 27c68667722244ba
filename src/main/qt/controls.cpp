#include "main/qt/controls.h"

#include "main/qt/qt_text.h"

namespace pointimport::main::qt {

void Label::SetText(const std::u16string& text) { setText(ToQString(text)); }

void LongTextLabel::SetText(const std::u16string& text) {
  const QString shown = ToQString(text);
  setText(shown);
  setToolTip(shown);
}

}  // namespace pointimport::main::qt

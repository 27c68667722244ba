#include "main/qt/controls.h"

#include "main/qt/qt_text.h"

namespace pointimport::main::qt {

void Label::SetText(const std::u16string& text) { setText(ToQString(text)); }

void LongTextLabel::SetText(const std::u16string& text) {
  const QString shown = ToQString(text);
  setText(shown);
  setToolTip(shown);
}

void Panel::SetToolTip(const std::u16string& text) {
  // A tooltip that looks like markup is shown as markup; a path may hold "<".
  setToolTip(QStringLiteral("<p style='white-space:pre'>") + ToQString(text).toHtmlEscaped() +
             QStringLiteral("</p>"));
}

}  // namespace pointimport::main::qt

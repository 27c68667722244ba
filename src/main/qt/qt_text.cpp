#include "main/qt/qt_text.h"

namespace pointimport::main::qt {

QString ToQString(std::u16string_view text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

std::u16string FromQString(const QString& text) { return text.toStdU16String(); }

}  // namespace pointimport::main::qt

#include "main/qt/name_filters.h"

#include "main/qt/qt_text.h"

namespace pointimport::main::qt {

QStringList ToQtNameFilters(std::u16string_view filter) {
  const QStringList parts = ToQString(filter).split(u'|');
  QStringList nameFilters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns;
    for (const QString& pattern : parts[i + 1].split(u';')) {
      const QString trimmed = pattern.trimmed();
      if (trimmed.isEmpty()) continue;
      patterns << (trimmed == u"*.*" ? QStringLiteral("*") : trimmed);
    }
    if (patterns.isEmpty()) continue;
    nameFilters << parts[i] + QStringLiteral(" (") + patterns.join(u' ') + u')';
  }
  return nameFilters;
}

}  // namespace pointimport::main::qt

#pragma once

#include <QStringList>
#include <string_view>

namespace pointimport::main::qt {

// The dialog control's filter, "description|patterns|description|patterns"
// with patterns separated by ";", as Qt's name filters
// "description (pattern pattern)". "*.*" means every file, as "*" does for
// Qt. A description left without patterns, and a pair without any pattern,
// offer nothing and are dropped.
QStringList ToQtNameFilters(std::u16string_view filter);

}  // namespace pointimport::main::qt

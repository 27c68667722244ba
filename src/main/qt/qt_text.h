#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace pointimport::main::qt {

// QString holds UTF-16 code units as the core does, so text crosses to and
// from Qt unchanged, unpaired surrogates included.
QString ToQString(std::u16string_view text);
std::u16string FromQString(const QString& text);

}  // namespace pointimport::main::qt

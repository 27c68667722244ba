#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pointimport::outside {

// The value of one key of a connection string such as
// "DRIVER=Microsoft Access Driver (*.mdb);DefaultDir=/opt/tool;DBQ=/opt/tool/x.mdb".
//
// Key names are case-insensitive and values are taken as they stand. A value
// runs up to the next ";" that starts a known key (DRIVER, DefaultDir, DBQ),
// so a folder name holding ";" stays whole.
std::optional<std::u16string> ConnectionStringValue(std::u16string_view connectionString,
                                                    std::u16string_view key);

}  // namespace pointimport::outside

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pointimport::outside {

// A value as a connection string holds it: one that holds ";", "{" or "}"
// is written in braces, each "}" of it doubled, as ODBC writes values; any
// other value stands as it is.
std::u16string ConnectionStringValueText(std::u16string_view value);

// The value of one key of a connection string such as
// "DRIVER=Microsoft Access Driver (*.mdb);DefaultDir=/opt/tool;DBQ=/opt/tool/x.mdb".
//
// Key names are case-insensitive, and the first of a key counts. A value
// runs up to the next ";", or is written in braces as
// ConnectionStringValueText writes it; nothing when the key is missing or
// its braces are not closed.
std::optional<std::u16string> ConnectionStringValue(std::u16string_view connectionString,
                                                    std::u16string_view key);

}  // namespace pointimport::outside

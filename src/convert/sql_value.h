#pragma once

#include <string>

#include "convert/variant.h"

namespace pointimport::convert {

// The SQL literal text of a value, as it stands in a statement.
std::u16string FormatSqlValue(const Variant& value);

// A copy of defaultValue when value is Null, else a copy of value.
Variant NullToDefault(const Variant& value, const Variant& defaultValue);

}  // namespace pointimport::convert

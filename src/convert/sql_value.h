#pragma once

#include <string>
#include <string_view>

#include "convert/variant.h"

namespace pointimport::convert {

// The SQL literal text of a value, as it stands in a statement.
//
// SQLite reads a String's literal back as the text, except that an unpaired
// surrogate, which its UTF-8 cannot hold, comes back as U+FFFD. U+0000 is
// joined in as 'a'||char(0)||'b'.
std::u16string FormatSqlValue(const Variant& value);

// The same literal appended to out, which statements are built in.
void AppendSqlValue(const Variant& value, std::u16string& out);

// The literal of a String holding text, appended to out.
void AppendQuotedText(std::u16string_view text, std::u16string& out);

// A copy of defaultValue when value is Null, else a copy of value.
Variant NullToDefault(const Variant& value, const Variant& defaultValue);

}  // namespace pointimport::convert

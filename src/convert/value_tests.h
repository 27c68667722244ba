#pragma once

#include "convert/variant.h"

namespace pointimport::convert {

// The date test: a Date passes; a String passes when RecogniseDateTime
// recognises it as it stands; every other kind fails.
bool IsDateValue(const Variant& value);

// The date conversion: a Date unchanged, a String that passes the date test
// as its date number; anything else raises a type mismatch.
double ToDateNumber(const Variant& value);

// The numeric test: numbers (not Date) and Empty pass; a String passes when
// it is a plain decimal number, with blanks around, a sign, a decimal point
// and an exponent allowed, but no grouping commas and no parentheses; Null
// and empty text fail.
bool IsNumericValue(const Variant& value);

}  // namespace pointimport::convert

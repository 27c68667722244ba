#pragma once

#include <cstdint>

#include "convert/variant.h"

namespace pointimport::convert {

// A value taken as a 32-bit integer: Integer and Long as they are, a Double
// rounded half to even; a value out of range raises overflow, any other kind
// a type mismatch.
std::int32_t ToLong(const Variant& value);

}  // namespace pointimport::convert

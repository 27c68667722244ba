#include "convert/long_value.h"

#include <cmath>
#include <limits>

#include "convert/runtime_error.h"

namespace pointimport::convert {

std::int32_t ToLong(const Variant& value) {
  switch (value.Kind()) {
    case VariantKind::Integer:
      return value.AsInteger();
    case VariantKind::Long:
      return value.AsLong();
    case VariantKind::Double: {
      const double rounded = std::nearbyint(value.AsDouble());  // half to even by default
      if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
            rounded <= std::numeric_limits<std::int32_t>::max())) {
        throw RuntimeError(error_number::kOverflow, u"オーバーフローしました。");
      }
      return static_cast<std::int32_t>(rounded);
    }
    default:
      throw RuntimeError(error_number::kTypeMismatch, u"型が一致しません。");
  }
}

}  // namespace pointimport::convert

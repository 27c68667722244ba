#include "import/lap_load_failed.h"

namespace pointimport::import {

bool LapLoadFailed(const convert::Variant& loadResult) {
  switch (loadResult.Kind()) {
    case convert::VariantKind::Boolean:
    case convert::VariantKind::Integer:
    case convert::VariantKind::Long:
    case convert::VariantKind::Double:
      return loadResult.NumberValue() == 0;
    default:
      return false;
  }
}

}  // namespace pointimport::import

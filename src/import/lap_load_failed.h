#pragma once

#include "convert/variant.h"

namespace pointimport::import {

// Whether LoadLapFile's result means the load failed: False, or a number
// equal to it (0); anything else counts as success. The window and the
// command line both judge a load by this one rule.
bool LapLoadFailed(const convert::Variant& loadResult);

}  // namespace pointimport::import

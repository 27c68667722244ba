// Result texts as dates and times: any text is read without fault, and a
// text that is recognised stands for a date in range that reads back as
// itself once written.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "convert/date_number.h"
#include "convert/time_value.h"
#include "fuzz_support.h"

using pointimport::fuzz::CodeUnits;
using pointimport::fuzz::Expect;
namespace convert = pointimport::convert;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string text = CodeUnits(data, size);
  if (const auto value = convert::RecogniseDateTime(text)) {
    Expect(std::isfinite(*value) && convert::IsInDateRange(*value), "a recognised text is a date in range",
           text);
    const auto again = convert::RecogniseDateTime(convert::FormatDateText(*value));
    Expect(again == value, "a recognised value's text reads back as the value", text);
  }
  const double parsed = convert::ParseTimeValue(text, NAN);
  Expect(std::isnan(parsed) || convert::IsInDateRange(parsed),
         "a parsed time is the default or a date in range", text);
  return 0;
}

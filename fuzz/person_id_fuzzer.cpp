// MakePersonId over any text: person IDs are looked up by making the ID
// again, so an ID must be its own ID and hold only what the rules leave.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "import/person_id.h"

using pointimport::fuzz::CodeUnits;
using pointimport::fuzz::Expect;

namespace {

bool LeftByTheRules(char16_t c) {
  const bool blank = c == u' ' || c == u'\u3000' || c == u'\0';
  const bool narrow = (c >= 0x21 && c <= 0x7E) || (c >= 0xFF61 && c <= 0xFF9F);
  const bool smallWide = c >= 0xFF41 && c <= 0xFF5A;
  const bool opening = c == u'（' || c == u'＜' || c == u'［';
  return !blank && !narrow && !smallWide && !opening;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string name = CodeUnits(data, size);
  const std::u16string id = pointimport::import::MakePersonId(name);
  Expect(id.size() <= name.size(), "an ID is never longer than the name", name);
  for (char16_t c : id) Expect(LeftByTheRules(c), "an ID holds only what the rules leave", name);
  Expect(pointimport::import::MakePersonId(id) == id, "an ID is its own ID", name);
  return 0;
}

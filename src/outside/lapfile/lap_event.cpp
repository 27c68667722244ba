#include "outside/lapfile/lap_event.h"

#include <cstdio>

#include "convert/utf.h"

namespace pointimport::outside::lapfile {

std::u16string DescribeLapEvent(const LapEvent& event) {
  std::u16string description;
  if (event.date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d", event.date->year, event.date->month, event.date->day);
    description = convert::Utf8ToUtf16(text);
  }
  if (!event.name.empty()) {
    if (!description.empty()) description += u' ';
    description += event.name;
  }
  std::size_t runners = 0;
  for (const auto& lapClass : event.classes) runners += lapClass.runners.size();
  description += u"（" + convert::Utf8ToUtf16(std::to_string(event.classes.size())) + u" クラス・" +
                 convert::Utf8ToUtf16(std::to_string(runners)) + u" 名）";
  return description;
}

}  // namespace pointimport::outside::lapfile

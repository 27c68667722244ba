#include "outside/lapfile/value_bound.h"

#include <algorithm>

#include "convert/utf.h"

namespace pointimport::outside::lapfile {

namespace {

// Enough to show what the value is, short enough for one line.
constexpr std::size_t kShownLength = 32;

// Bytes of UTF-8 that always make more than kMaxValueLength code units.
constexpr std::size_t kSurelyOverlongBytes = 4 * (kMaxValueLength + 1);

}  // namespace

void AppendBoundedUtf16(std::u16string& out, std::string_view utf8) {
  convert::AppendUtf16(out, utf8.substr(0, kSurelyOverlongBytes));
}

std::u16string BoundedUtf16(std::string_view utf8) {
  std::u16string out;
  AppendBoundedUtf16(out, utf8);
  return out;
}

std::u16string OverlongValueReason(std::u16string_view what, std::u16string_view value) {
  return u"値が長すぎます (" + convert::Utf8ToUtf16(std::to_string(kMaxValueLength)) + u" 文字まで): " +
         std::u16string(what) + u" \"" + std::u16string(value.substr(0, kShownLength)) + u"…\"";
}

std::u16string FirstOverlongValue(const ResultList& list) {
  const auto overlong = [](const std::u16string& value) { return value.size() > kMaxValueLength; };
  if (overlong(list.eventId)) return OverlongValueReason(u"大会の ID", list.eventId);
  if (overlong(list.eventName)) return OverlongValueReason(u"大会名", list.eventName);
  for (const ClassResult& lapClass : list.classes) {
    if (overlong(lapClass.name)) return OverlongValueReason(u"クラス名", lapClass.name);
    const std::u16string where = u"クラス " + lapClass.name + u" の";
    for (const PersonResult& person : lapClass.results) {
      if (overlong(person.runnerName)) return OverlongValueReason(where + u"選手名", person.runnerName);
      if (overlong(person.clubName)) return OverlongValueReason(where + u"クラブ名", person.clubName);
    }
  }
  return {};
}

}  // namespace pointimport::outside::lapfile

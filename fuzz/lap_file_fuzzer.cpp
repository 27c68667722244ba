// Lap files from anywhere: whatever the bytes, loading ends with a status,
// and a loaded event holds only values of the kinds it hands out.
#include <cstddef>
#include <cstdint>
#include <string>

#include "convert/date_number.h"
#include "fuzz_support.h"
#include "outside/lapfile/lap_file_loader.h"

using pointimport::convert::Variant;
using pointimport::convert::VariantKind;
using pointimport::fuzz::Expect;
namespace outside = pointimport::outside;

namespace {

bool IsWellFormedUtf16(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= 0xDC00 && c <= 0xDFFF) return false;
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) return false;
      ++i;
    }
  }
  return true;
}

void ExpectText(std::u16string_view text, std::u16string_view context) {
  Expect(IsWellFormedUtf16(text), "a loaded text is well-formed UTF-16", context);
  Expect(text.find(u'\0') == std::u16string_view::npos, "a loaded text holds no NUL", context);
}

bool IsRank(const Variant& rank) {
  if (rank.Kind() == VariantKind::Long) return rank.AsLong() >= 1;
  return rank.IsString() && (rank.AsString() == u"OP" || rank.AsString().empty());
}

void ExpectSound(const outside::lapfile::LapEvent& event) {
  Expect(!event.keyword.empty(), "the keyword is never empty", event.keyword);
  ExpectText(event.keyword, event.keyword);
  ExpectText(event.name, event.name);
  if (event.date) {
    Expect(pointimport::convert::IsValidCalendarDate(event.date->year, event.date->month, event.date->day),
           "the event date is a calendar date", event.keyword);
  }
  for (const outside::lapfile::LapClass& lapClass : event.classes) {
    ExpectText(lapClass.name, lapClass.name);
    std::int32_t lastPlace = 0;
    for (const outside::lapfile::LapRunner& runner : lapClass.runners) {
      ExpectText(runner.runnerName, runner.runnerName);
      ExpectText(runner.clubName, runner.clubName);
      Expect(runner.sex.empty() || runner.sex == u"M" || runner.sex == u"F", "sex is M, F or nothing",
             runner.sex);
      Expect(runner.result.IsString(), "a result is a text", runner.runnerName);
      Expect(IsRank(runner.rank), "a rank is a place from 1, OP or nothing", runner.runnerName);
      if (runner.rank.Kind() == VariantKind::Long) {
        Expect(runner.rank.AsLong() >= lastPlace, "places come in order", runner.runnerName);
        lastPlace = runner.rank.AsLong();
      }
    }
  }
  outside::lapfile::DescribeLapEvent(event);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const outside::lapfile::LapLoadResult result = outside::lapfile::ReadLapFileBytes(
      std::string(reinterpret_cast<const char*>(data), size), u".xml", u"fuzz");
  if (result.status == outside::lapfile::LapLoadStatus::Loaded) {
    ExpectSound(result.event);
  } else {
    Expect(!result.reason.empty(), "a failed load says why", u"");
    Expect(result.event.classes.empty(), "a failed load holds no event", u"");
  }
  return 0;
}

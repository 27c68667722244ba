#include "outside/lapfile/lap_formats.h"

#include "convert/ascii_case.h"
#include "outside/lapfile/csv/csv_reader.h"
#include "outside/lapfile/iof/iof_reader.h"

namespace pointimport::outside::lapfile {

namespace {

constexpr LapFormat kLapFormats[] = {
    {u"IOF XML 結果ファイル (*.xml)|*.xml", u".xml", iof::LooksLikeXml, iof::ReadIofResultList},
    {u"CSV 結果ファイル (*.csv)|*.csv", u".csv", csv::LooksLikeCsvResultList, csv::ReadCsvLapFile},
};

constexpr std::u16string_view kAllFiles = u"すべてのファイル (*.*)|*.*";

std::u16string_view Description(const LapFormat& format) {
  return format.filterEntry.substr(0, format.filterEntry.find(u'|'));
}

}  // namespace

const LapFormat* FormatOf(std::string_view bytes, std::u16string_view extension) {
  for (const LapFormat& format : kLapFormats) {
    if (format.claims(bytes)) return &format;
  }
  for (const LapFormat& format : kLapFormats) {
    if (convert::EqualsIgnoringAsciiCase(format.extension, extension)) return &format;
  }
  return nullptr;
}

std::u16string LapFileFilter() {
  std::u16string filter;
  for (const LapFormat& format : kLapFormats) {
    filter += format.filterEntry;
    filter += u'|';
  }
  return filter += kAllFiles;
}

std::u16string LapFormatNames() {
  std::u16string names;
  for (const LapFormat& format : kLapFormats) {
    if (!names.empty()) names += u"、";
    names += Description(format);
  }
  return names;
}

}  // namespace pointimport::outside::lapfile

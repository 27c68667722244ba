#include "import/replace_check.h"

#include "convert/number_text.h"
#include "import/stored_event.h"

namespace pointimport::import {

namespace {

constexpr char16_t kMidnight[] = u" 00:00:00";

// "name・date・結果 N 行", with the date's midnight left out.
std::u16string Describe(const StoredEvent& event) {
  std::u16string date = event.date;
  if (date.ends_with(kMidnight)) date.resize(date.size() - std::char_traits<char16_t>::length(kMidnight));
  return (event.name.empty() ? u"(大会名なし)" : event.name) + u"・" + (date.empty() ? u"(日付なし)" : date) +
         u"・結果 " + convert::FormatInteger(event.resultRows) + u" 行";
}

bool Replaces(const StoredEvent& stored, const StoredEvent& file) {
  return stored.name != file.name || stored.date != file.date || file.resultRows == 0 ||
         2 * file.resultRows < stored.resultRows;
}

}  // namespace

std::vector<std::u16string> SurprisingReplacement(outside::Connection& connection, const LoadedEvent& loaded) {
  const StoredEvent file = AsStored(connection, loaded);
  std::vector<std::u16string> lines;
  if (const auto stored = LookUpStoredEvent(connection, loaded.keyword); stored && Replaces(*stored, file)) {
    lines.push_back(u"キーワード「" + loaded.keyword +
                    u"」で取り込み済みの大会を、このファイルで置き換えます。");
    lines.push_back(u"取り込み済み: " + Describe(*stored));
    lines.push_back(u"このファイル: " + Describe(file));
  }
  if (const auto same = FindSameEventElsewhere(connection, loaded, file)) {
    lines.push_back(u"同じ大会がキーワード「" + same->keyword +
                    u"」で取り込み済みです。取り込むと大会が二つになり、ポイントが二重に数えられます。");
    lines.push_back(u"取り込み済み (" + same->keyword + u"): " + Describe(*same));
    lines.push_back(u"このファイル (" + loaded.keyword + u"): " + Describe(file));
  }
  return lines;
}

}  // namespace pointimport::import

#include "import/stored_event.h"

#include <algorithm>
#include <vector>

#include "convert/sql_value.h"

namespace pointimport::import {

using convert::Variant;

namespace {

std::u16string Quoted(const std::u16string& text) {
  std::u16string literal;
  convert::AppendQuotedText(text, literal);
  return literal;
}

std::u16string TextOf(const outside::RecordSet& records, std::u16string_view column) {
  return convert::ToText(convert::NullToDefault(records.Fields(column).Value, Variant(u"")));
}

std::int64_t ResultRowCount(outside::Connection& connection, const std::u16string& keyword) {
  const auto records =
      connection.Execute(u"SELECT COUNT(*) AS ROW_COUNT FROM RESULT WHERE EVENT_ID = " + Quoted(keyword));
  const auto count = static_cast<std::int64_t>(records->Fields(u"ROW_COUNT").Value.NumberValue());
  records->Close();
  return count;
}

std::vector<ResultRowKey> StoredRows(outside::Connection& connection, const std::u16string& keyword) {
  std::vector<ResultRowKey> rows;
  const auto records =
      connection.Execute(u"SELECT CLASS, PERSON_ID, RESULT FROM RESULT WHERE EVENT_ID = " + Quoted(keyword));
  for (; !records->Eof(); records->MoveNext())
    rows.push_back({TextOf(*records, u"CLASS"), TextOf(*records, u"PERSON_ID"), TextOf(*records, u"RESULT")});
  records->Close();
  return rows;
}

std::vector<std::u16string> Keywords(outside::Connection& connection, const std::u16string& statement) {
  std::vector<std::u16string> keywords;
  const auto records = connection.Execute(statement);
  for (; !records->Eof(); records->MoveNext()) keywords.push_back(TextOf(*records, u"ID"));
  records->Close();
  return keywords;
}

// The keywords of other events whose event row has the file's name and date.
std::vector<std::u16string> SameNameAndDate(outside::Connection& connection, const LoadedEvent& loaded,
                                            const StoredEvent& asStored) {
  if (asStored.name.empty() || asStored.date.empty()) return {};
  return Keywords(connection, u"SELECT ID FROM EVENT WHERE NAME = " + Quoted(asStored.name) +
                                  u" AND EVENT_DATE = " + Quoted(asStored.date) + u" AND ID <> " +
                                  Quoted(loaded.keyword));
}

// The keyword of another event holding exactly the file's result rows. Only
// the events that hold the file's first row are read in full.
std::optional<std::u16string> SameRows(outside::Connection& connection, const LoadedEvent& loaded) {
  if (loaded.rows.empty()) return std::nullopt;
  const ResultRowKey& first = loaded.rows.front();
  const std::vector<std::u16string> candidates = Keywords(
      connection, u"SELECT DISTINCT EVENT_ID AS ID FROM RESULT WHERE CLASS = " + Quoted(first.className) +
                      u" AND PERSON_ID = " + Quoted(first.personId) + u" AND RESULT = " + Quoted(first.result) +
                      u" AND EVENT_ID <> " + Quoted(loaded.keyword));
  std::vector<ResultRowKey> fileRows = loaded.rows;
  std::sort(fileRows.begin(), fileRows.end());
  for (const std::u16string& candidate : candidates) {
    std::vector<ResultRowKey> stored = StoredRows(connection, candidate);
    std::sort(stored.begin(), stored.end());
    if (stored == fileRows) return candidate;
  }
  return std::nullopt;
}

}  // namespace

std::optional<StoredEvent> LookUpStoredEvent(outside::Connection& connection, const std::u16string& keyword) {
  StoredEvent stored{.keyword = keyword};
  bool hasEventRow = false;
  {
    const auto records =
        connection.Execute(u"SELECT NAME, EVENT_DATE FROM EVENT WHERE ID = " + Quoted(keyword));
    if (!records->Eof()) {
      hasEventRow = true;
      stored.name = TextOf(*records, u"NAME");
      stored.date = TextOf(*records, u"EVENT_DATE");
    }
    records->Close();
  }
  stored.resultRows = ResultRowCount(connection, keyword);
  if (!hasEventRow && stored.resultRows == 0) return std::nullopt;
  return stored;
}

StoredEvent AsStored(outside::Connection& connection, const LoadedEvent& loaded) {
  StoredEvent event{.keyword = loaded.keyword, .resultRows = static_cast<std::int64_t>(loaded.rows.size())};
  const auto records =
      connection.Execute(u"SELECT " + convert::FormatSqlValue(loaded.eventName) + u" AS NAME, " +
                         convert::FormatSqlValue(loaded.eventDate) + u" AS EVENT_DATE");
  event.name = TextOf(*records, u"NAME");
  event.date = TextOf(*records, u"EVENT_DATE");
  records->Close();
  return event;
}

std::optional<StoredEvent> FindSameEventElsewhere(outside::Connection& connection, const LoadedEvent& loaded,
                                                  const StoredEvent& asStored) {
  std::vector<std::u16string> keywords = SameNameAndDate(connection, loaded, asStored);
  if (keywords.empty()) {
    if (auto keyword = SameRows(connection, loaded)) keywords.push_back(std::move(*keyword));
  }
  if (keywords.empty()) return std::nullopt;
  return LookUpStoredEvent(connection, keywords.front());
}

}  // namespace pointimport::import

#include "import/statements.h"

#include <initializer_list>
#include <string_view>

#include "convert/sql_value.h"

namespace pointimport::import {

using convert::FormatSqlValue;
using convert::Variant;

namespace {

std::u16string Text(const std::u16string& value) { return FormatSqlValue(Variant(value)); }

std::u16string LiteralInside(const std::u16string& keyword) {
  const std::u16string literal = Text(keyword);
  return literal.substr(1, literal.size() - 2);
}

// The pieces one after another, in one allocation: the statements written
// for every runner would otherwise grow their text a piece at a time.
std::u16string Joined(std::initializer_list<std::u16string_view> pieces) {
  std::size_t size = 0;
  for (const auto piece : pieces) size += piece.size();
  std::u16string joined;
  joined.reserve(size);
  for (const auto piece : pieces) joined.append(piece);
  return joined;
}

}  // namespace

std::u16string EventDeleteStatement(const std::u16string& keyword) {
  return u"DELETE FROM EVENT " + (u" WHERE ID='" + LiteralInside(keyword)) + u"' ";
}

std::u16string ResultsDeleteStatement(const std::u16string& keyword) {
  return u"DELETE FROM RESULT " + (u" WHERE EVENT_ID='" + LiteralInside(keyword)) + u"' ";
}

std::u16string EventInsertStatement(const Variant& fileName, const Variant& eventName, const Variant& terrain,
                                    const Variant& eventDate) {
  return u"INSERT INTO EVENT " + std::u16string(u" ( ID, NAME, TERRAIN, EVENT_DATE ) ") + u" VALUES ( " +
         u"  " + FormatSqlValue(fileName) + u", " + FormatSqlValue(eventName) + u", " +
         FormatSqlValue(terrain) + u", " + FormatSqlValue(eventDate) + u" ) ";
}

std::u16string ResultInsertStatement(const Variant& fileName, const std::u16string& personId,
                                     const Variant& className, const Variant& rank, const Variant& result,
                                     double points) {
  return Joined({u"INSERT INTO RESULT ", u" ( EVENT_ID, PERSON_ID, CLASS, PLACE, RESULT, POINT ) ",
                 u" VALUES ( ", u"  ", FormatSqlValue(fileName), u", ", Text(personId), u", ",
                 FormatSqlValue(className), u", ", FormatSqlValue(rank), u", ", FormatSqlValue(result), u", ",
                 FormatSqlValue(Variant(points)), u" ) "});
}

std::u16string PersonLookupStatement(const std::u16string& personId) {
  return Joined({u"SELECT * FROM PERSON ", u" WHERE ID = ", Text(personId)});
}

std::u16string PersonUpdateStatement(const std::u16string& personId, const std::u16string& name,
                                     const std::u16string& club, const std::u16string& sex) {
  return Joined({u"UPDATE PERSON SET", u" NAME=", Text(name), u" , CLUB=", Text(club), u" , SEX=", Text(sex),
                 u" WHERE ID = ", Text(personId)});
}

std::u16string PersonInsertStatement(const std::u16string& personId, const std::u16string& name,
                                     const std::u16string& club, const std::u16string& sex) {
  return Joined({u"INSERT INTO PERSON ", u" ( ID, NAME, CLUB, SEX ) ", u" VALUES ( ", u"  ", Text(personId),
                 u", ", Text(name), u", ", Text(club), u", ", Text(sex), u" ) "});
}

}  // namespace pointimport::import

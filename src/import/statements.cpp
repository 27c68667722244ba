#include "import/statements.h"

#include <string_view>
#include <utility>

#include "convert/sql_value.h"

namespace pointimport::import {

using convert::AppendQuotedText;
using convert::AppendSqlValue;
using convert::Variant;
using namespace std::string_view_literals;

namespace {

std::u16string LiteralInside(const std::u16string& keyword) {
  std::u16string literal;
  AppendQuotedText(keyword, literal);
  return literal.substr(1, literal.size() - 2);
}

// Room for a value's literal, so that the statements written for every
// runner take one allocation each: a text's length with its apostrophes, or
// enough for any number or date.
std::size_t LiteralRoom(const Variant& value) { return value.IsString() ? value.AsString().size() + 2 : 32; }
std::size_t LiteralRoom(const std::u16string& text) { return text.size() + 2; }

// More than the fixed pieces of any statement here. Pieces that follow one
// another are written as one literal, so as to be appended at once.
constexpr std::size_t kPiecesRoom = 128;

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
         u"  " + convert::FormatSqlValue(fileName) + u", " + convert::FormatSqlValue(eventName) + u", " +
         convert::FormatSqlValue(terrain) + u", " + convert::FormatSqlValue(eventDate) + u" ) ";
}

std::u16string ResultInsertStatement(const Variant& fileName, const std::u16string& personId,
                                     const Variant& className, const Variant& rank, const Variant& result,
                                     double points, std::u16string room) {
  std::u16string statement = std::move(room);
  statement.clear();
  statement.reserve(kPiecesRoom + LiteralRoom(fileName) + LiteralRoom(personId) + LiteralRoom(className) +
                    LiteralRoom(rank) + LiteralRoom(result) + LiteralRoom(Variant(points)));
  statement +=
      u"INSERT INTO RESULT "
      u" ( EVENT_ID, PERSON_ID, CLASS, PLACE, RESULT, POINT ) "
      u" VALUES ( "
      u"  "sv;
  AppendSqlValue(fileName, statement);
  statement += u", "sv;
  AppendQuotedText(personId, statement);
  statement += u", "sv;
  AppendSqlValue(className, statement);
  statement += u", "sv;
  AppendSqlValue(rank, statement);
  statement += u", "sv;
  AppendSqlValue(result, statement);
  statement += u", "sv;
  AppendSqlValue(Variant(points), statement);
  statement += u" ) "sv;
  return statement;
}

std::u16string PersonLookupStatement(const std::u16string& personId, std::u16string room) {
  std::u16string statement = std::move(room);
  statement.clear();
  statement.reserve(kPiecesRoom + LiteralRoom(personId));
  statement +=
      u"SELECT * FROM PERSON "
      u" WHERE ID = "sv;
  AppendQuotedText(personId, statement);
  return statement;
}

std::u16string PersonUpdateStatement(const std::u16string& personId, const std::u16string& name,
                                     const std::u16string& club, const std::u16string& sex,
                                     std::u16string room) {
  std::u16string statement = std::move(room);
  statement.clear();
  statement.reserve(kPiecesRoom + LiteralRoom(name) + LiteralRoom(club) + LiteralRoom(sex) +
                    LiteralRoom(personId));
  statement +=
      u"UPDATE PERSON SET"
      u" NAME="sv;
  AppendQuotedText(name, statement);
  statement += u" , CLUB="sv;
  AppendQuotedText(club, statement);
  statement += u" , SEX="sv;
  AppendQuotedText(sex, statement);
  statement += u" WHERE ID = "sv;
  AppendQuotedText(personId, statement);
  return statement;
}

std::u16string PersonInsertStatement(const std::u16string& personId, const std::u16string& name,
                                     const std::u16string& club, const std::u16string& sex,
                                     std::u16string room) {
  std::u16string statement = std::move(room);
  statement.clear();
  statement.reserve(kPiecesRoom + LiteralRoom(personId) + LiteralRoom(name) + LiteralRoom(club) +
                    LiteralRoom(sex));
  statement +=
      u"INSERT INTO PERSON "
      u" ( ID, NAME, CLUB, SEX ) "
      u" VALUES ( "
      u"  "sv;
  AppendQuotedText(personId, statement);
  statement += u", "sv;
  AppendQuotedText(name, statement);
  statement += u", "sv;
  AppendQuotedText(club, statement);
  statement += u", "sv;
  AppendQuotedText(sex, statement);
  statement += u" ) "sv;
  return statement;
}

}  // namespace pointimport::import

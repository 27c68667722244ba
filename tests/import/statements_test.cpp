#include "import/statements.h"

#include <gtest/gtest.h>

namespace pointimport::import {
namespace {

using convert::Variant;

TEST(Statements, KeepEveryBlankOfTheirTemplates) {
  const struct {
    std::u16string statement;
    const char16_t* text;
  } cases[] = {
      {EventDeleteStatement(u"E1"), u"DELETE FROM EVENT  WHERE ID='E1' "},
      {ResultsDeleteStatement(u"E1"), u"DELETE FROM RESULT  WHERE EVENT_ID='E1' "},
      {EventDeleteStatement(u"O'Neil"), u"DELETE FROM EVENT  WHERE ID='O''Neil' "},
      {ResultsDeleteStatement(u"a''b"), u"DELETE FROM RESULT  WHERE EVENT_ID='a''''b' "},
      {EventInsertStatement(Variant(u"E1"), Variant(u"大会"), Variant(u""), Variant::Date(38452.0)),
       u"INSERT INTO EVENT  ( ID, NAME, TERRAIN, EVENT_DATE )  VALUES (   'E1', '大会', '', "
       u"'2005/04/10 00:00:00' ) "},
      {EventInsertStatement(Variant(u"E1"), Variant(u""), Variant(u""), Variant::Null()),
       u"INSERT INTO EVENT  ( ID, NAME, TERRAIN, EVENT_DATE )  VALUES (   'E1', '', '', '' ) "},
      {ResultInsertStatement(Variant(u"E1"), u"ＹＡＭＡＤＡ", Variant(u"M21"), Variant(1), Variant(u"0:30:00"),
                             200.0 / 3.0),
       u"INSERT INTO RESULT  ( EVENT_ID, PERSON_ID, CLASS, PLACE, RESULT, POINT )  VALUES (   'E1', "
       u"'ＹＡＭＡＤＡ', 'M21', 1, '0:30:00', 66.6666666666667 ) "},
      {ResultInsertStatement(Variant(u"E1"), u"", Variant(u"M21"), Variant(u""), Variant(u"失格"), 0.0),
       u"INSERT INTO RESULT  ( EVENT_ID, PERSON_ID, CLASS, PLACE, RESULT, POINT )  VALUES (   'E1', "
       u"'', 'M21', '', '失格', 0 ) "},
      {PersonLookupStatement(u"ＹＡＭＡＤＡ"), u"SELECT * FROM PERSON  WHERE ID = 'ＹＡＭＡＤＡ'"},
      // The room's own text is dropped.
      {PersonLookupStatement(u"ID", u"left over"), u"SELECT * FROM PERSON  WHERE ID = 'ID'"},
      {PersonUpdateStatement(u"ID", u"山田", u"", u"M"),
       u"UPDATE PERSON SET NAME='山田' , CLUB='' , SEX='M' WHERE ID = 'ID'"},
      {PersonInsertStatement(u"ID", u"O'Neil", u"OLC", u""),
       u"INSERT INTO PERSON  ( ID, NAME, CLUB, SEX )  VALUES (   'ID', 'O''Neil', 'OLC', '' ) "},
  };
  for (const auto& c : cases) EXPECT_EQ(c.statement, c.text);
}

}  // namespace
}  // namespace pointimport::import

#include "outside/sqlite/statement_shape.h"

#include <gtest/gtest.h>

#include "convert/utf.h"

namespace pointimport::outside::sqlite {
namespace {

// The shape and its literals' values, written out for comparison: a text
// with its apostrophes undoubled, as it is bound.
std::string Describe(const ScannedShape& shape) {
  std::string out = convert::Utf16ToUtf8(shape.text);
  for (const ScannedLiteral& literal : shape.literals) {
    switch (literal.kind) {
      case ScannedLiteral::Kind::Text: {
        std::u16string value;
        for (std::size_t k = 0; k < literal.written.size(); ++k) {
          value.push_back(literal.written[k]);
          if (literal.written[k] == u'\'') ++k;
        }
        out += " | text:" + convert::Utf16ToUtf8(value);
        break;
      }
      case ScannedLiteral::Kind::Integer:
        out += " | int:" + std::to_string(literal.integer);
        break;
      case ScannedLiteral::Kind::Real:
        out += " | real:" + convert::Utf16ToUtf8(literal.written);
        break;
    }
  }
  return out;
}

TEST(ScanShape, ReplacesValuesByParameters) {
  const struct {
    const char16_t* statement;
    const char* shape;
  } cases[] = {
      {u"DELETE FROM EVENT  WHERE ID='E''1' ", "DELETE FROM EVENT  WHERE ID=?  | text:E'1"},
      {u"INSERT INTO RESULT  ( EVENT_ID, PERSON_ID, CLASS, PLACE, RESULT, POINT )  VALUES (   'E1', '', 'M21', "
       u"1, "
       u"'0:30:00', 66.6666666666667 ) ",
       "INSERT INTO RESULT  ( EVENT_ID, PERSON_ID, CLASS, PLACE, RESULT, POINT )  VALUES (   ?, ?, ?, ?, ?, ? "
       ") "
       " | text:E1 | text: | text:M21 | int:1 | text:0:30:00 | real:66.6666666666667"},
      {u"select * from PERSON  WHERE ID = '山田;DROP'", "select * from PERSON  WHERE ID = ? | text:山田;DROP"},
      {u"UPDATE t1 SET c2=-5, c3=1e+15, c4=.5",
       "UPDATE t1 SET c2=-?, c3=?, c4=? | int:5 | real:1e+15 | real:.5"},
      {u"SELECT \"it's\" FROM [a'b]", "SELECT \"it's\" FROM [a'b]"},
      {u"SELECT 9223372036854775807", "SELECT ? | int:9223372036854775807"},
      // "&" is one bit off "'": found four at a time, it is flagged as an
      // apostrophe when one stands right below it, but never first.
      {u"SELECT '&''&&&&', '''&'", "SELECT ?, ? | text:&'&&&& | text:'&"},
  };
  for (const auto& c : cases) {
    ScannedShape shape;
    ASSERT_TRUE(ScanShape(c.statement, shape)) << c.shape;
    EXPECT_EQ(Describe(shape), c.shape);
  }
}

TEST(ScanShape, LeavesAloneWhatParametersCouldChange) {
  const char16_t* cases[] = {
      u"CREATE TABLE x (a)",
      u"PRAGMA query_only = 1",
      u"SELECT * FROM EVENT ORDER BY 1",
      u"SELECT count(*) FROM RESULT GROUP BY 1",
      u"SELECT X'00'",
      u"SELECT 0x10",
      u"SELECT 12abc",
      u"SELECT 9223372036854775808",
      u"SELECT 1e",
      u"SELECT ?1",
      u"SELECT :a",
      u"SELECT $a",
      u"SELECT 1 -- note",
      u"SELECT /* note */ 1",
      u"SELECT 'open",
  };
  for (const auto* statement : cases) {
    ScannedShape shape;
    EXPECT_FALSE(ScanShape(statement, shape)) << convert::Utf16ToUtf8(statement);
  }
}

// Each statement after the one before it, so that it meets a skeleton built
// like it but for one character that changes how the scan reads it.
TEST(ShapeScanner, GivesWhatScanShapeGivesAfterAnyStatementBefore) {
  const char16_t* statements[] = {
      u"INSERT INTO t VALUES ( 'a', 1 )",
      u"INSERT INTO t VALUES ( 'a''b', 12.5 )",
      u"INSERT INTO t VALUES ( 'a', 'b' )",
      u"INSERT INTO t VALUES ( 'a'', ''b' )",
      u"UPDATE t SET a=.5",
      u"UPDATE t SET a=.x",
      u"UPDATE t SET a=5",
      u"SELECT a.5",
      u"SELECT a..5",
      u"SELECT 1 ",
      u"SELECT 2 -- note",
      u"SELECT 1e",
      u"SELECT 'a'",
      u"SELECT 'a' ORDER BY 1",
      u"SELECT 'open",
      u"SELECT 1",
  };
  ShapeScanner scanner;
  for (const auto* statement : statements) {
    ScannedShape fresh;
    const bool scanned = ScanShape(statement, fresh);
    ASSERT_EQ(scanner.Scan(statement), scanned) << convert::Utf16ToUtf8(statement);
    if (scanned) {
      const ScannedShape scanned{std::u16string(scanner.Text()), scanner.Hash(), scanner.Literals()};
      EXPECT_EQ(Describe(scanned), Describe(fresh));
      EXPECT_EQ(scanned.hash, fresh.hash);
    }
  }
}

}  // namespace
}  // namespace pointimport::outside::sqlite

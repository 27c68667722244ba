#include "outside/statement_shape.h"

#include <gtest/gtest.h>

#include "convert/utf.h"

namespace pointimport::outside {
namespace {

// The literals of a shape, written out for comparison.
std::string Describe(const StatementShape& shape) {
  std::string out = convert::Utf16ToUtf8(shape.text);
  for (const auto& literal : shape.literals) {
    if (const auto* text = std::get_if<TextLiteral>(&literal)) out += " | text:" + convert::Utf16ToUtf8(text->text);
    if (const auto* integer = std::get_if<IntegerLiteral>(&literal)) out += " | int:" + std::to_string(integer->value);
    if (const auto* real = std::get_if<RealLiteral>(&literal)) out += " | real:" + convert::Utf16ToUtf8(real->text);
  }
  return out;
}

TEST(LiftLiterals, ReplacesValuesByParameters) {
  const struct {
    const char16_t* statement;
    const char* shape;
  } cases[] = {
      {u"DELETE FROM EVENT  WHERE ID='E''1' ", "DELETE FROM EVENT  WHERE ID=?  | text:E'1"},
      {u"INSERT INTO RESULT  ( EVENT_ID, PERSON_ID, CLASS, PLACE, RESULT, POINT )  VALUES (   'E1', '', 'M21', 1, "
       u"'0:30:00', 66.6666666666667 ) ",
       "INSERT INTO RESULT  ( EVENT_ID, PERSON_ID, CLASS, PLACE, RESULT, POINT )  VALUES (   ?, ?, ?, ?, ?, ? ) "
       " | text:E1 | text: | text:M21 | int:1 | text:0:30:00 | real:66.6666666666667"},
      {u"select * from PERSON  WHERE ID = '山田;DROP'", "select * from PERSON  WHERE ID = ? | text:山田;DROP"},
      {u"UPDATE t1 SET c2=-5, c3=1e+15, c4=.5", "UPDATE t1 SET c2=-?, c3=?, c4=? | int:5 | real:1e+15 | real:.5"},
      {u"SELECT \"it's\" FROM [a'b]", "SELECT \"it's\" FROM [a'b]"},
      {u"SELECT 9223372036854775807", "SELECT ? | int:9223372036854775807"},
  };
  for (const auto& c : cases) {
    const auto shape = LiftLiterals(c.statement);
    ASSERT_TRUE(shape) << c.shape;
    EXPECT_EQ(Describe(*shape), c.shape);
  }
}

TEST(LiftLiterals, LeavesAloneWhatParametersCouldChange) {
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
  for (const auto* statement : cases) EXPECT_FALSE(LiftLiterals(statement)) << convert::Utf16ToUtf8(statement);
}

}  // namespace
}  // namespace pointimport::outside

#include "convert/variant.h"

#include <gtest/gtest.h>

#include "convert/runtime_error.h"

namespace pointimport::convert {
namespace {

TEST(Variant, KeepsItsKind) {
  EXPECT_EQ(Variant().Kind(), VariantKind::Empty);
  EXPECT_EQ(Variant::Null().Kind(), VariantKind::Null);
  EXPECT_EQ(Variant::Integer(3).Kind(), VariantKind::Integer);
  EXPECT_EQ(Variant(3).Kind(), VariantKind::Long);
  EXPECT_EQ(Variant(3.0).Kind(), VariantKind::Double);
  EXPECT_EQ(Variant::Date(3.0).Kind(), VariantKind::Date);
  EXPECT_EQ(Variant(u"3").Kind(), VariantKind::String);
  EXPECT_EQ(Variant(true).Kind(), VariantKind::Boolean);
  EXPECT_NE(Variant(3.0), Variant::Date(3.0));
  EXPECT_THROW(Variant(u"3").AsLong(), RuntimeError);
}

TEST(Variant, TurnsIntoText) {
  const struct {
    Variant value;
    const char16_t* text;
  } cases[] = {
      {Variant(), u""},
      {Variant(u"山田 太郎"), u"山田 太郎"},
      {Variant::Integer(-5), u"-5"},
      {Variant(2147483647), u"2147483647"},
      {Variant(200.0 / 3.0), u"66.6666666666667"},
      {Variant(true), u"True"},
      {Variant(false), u"False"},
      {Variant::Date(0.0), u"0:00:00"},
      {Variant::Date(67.0 / 1152.0), u"1:23:45"},
      {Variant::Date(38452.0), u"2005/04/10"},
      {Variant::Date(38452.5), u"2005/04/10 12:00:00"},
  };
  for (const auto& c : cases) EXPECT_EQ(ToText(c.value), c.text);
}

TEST(Variant, NullCannotBecomeText) {
  try {
    ToText(Variant::Null());
    FAIL();
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.Number(), error_number::kInvalidUseOfNull);
  }
}

}  // namespace
}  // namespace pointimport::convert

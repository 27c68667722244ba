#include "outside/connection_string.h"

#include <gtest/gtest.h>

namespace pointimport::outside {
namespace {

TEST(ConnectionStringValue, FindsKeysWhateverTheirCase) {
  const std::u16string text =
      u"DRIVER=Microsoft Access Driver (*.mdb);DefaultDir=/opt/tool;DBQ=/opt/tool/x.mdb";
  EXPECT_EQ(ConnectionStringValue(text, u"DBQ"), u"/opt/tool/x.mdb");
  EXPECT_EQ(ConnectionStringValue(text, u"dbq"), u"/opt/tool/x.mdb");
  EXPECT_EQ(ConnectionStringValue(text, u"DEFAULTDIR"), u"/opt/tool");
  EXPECT_EQ(ConnectionStringValue(text, u"Driver"), u"Microsoft Access Driver (*.mdb)");
  EXPECT_EQ(ConnectionStringValue(u"dbq=/a.mdb", u"DBQ"), u"/a.mdb");
  EXPECT_FALSE(ConnectionStringValue(u"DRIVER=x;DefaultDir=/a", u"DBQ"));
}

// Values holding ";", "{" or "}" are written in braces and read back whole;
// the others stand as they are.
TEST(ConnectionStringValue, ReadsBackEveryValueAsWritten) {
  const struct {
    std::u16string value;
    std::u16string written;
  } cases[] = {
      {u"/opt/tool", u"/opt/tool"},
      {u"/a;b=c", u"{/a;b=c}"},
      {u"/x;DBQ=/other.mdb;", u"{/x;DBQ=/other.mdb;}"},
      {u"/x}{y}}", u"{/x}}{y}}}}}"},
      {u"", u""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ConnectionStringValueText(c.value), c.written);
    const std::u16string text = u"DRIVER=d;DefaultDir=" + c.written + u";DBQ=" + c.written + u";x";
    EXPECT_EQ(ConnectionStringValue(text, u"DefaultDir"), c.value);
    EXPECT_EQ(ConnectionStringValue(text, u"DBQ"), c.value);
  }
  EXPECT_FALSE(ConnectionStringValue(u"DBQ={/a.mdb", u"DBQ"));
  EXPECT_FALSE(ConnectionStringValue(u"DBQ={/a}.mdb", u"DBQ"));
}

}  // namespace
}  // namespace pointimport::outside

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

TEST(ConnectionStringValue, KeepsSemicolonsInsideFolderNames) {
  const std::u16string text = u"DRIVER=d;DefaultDir=/a;b=c;DBQ=/a;b=c/RovevizoduziDivoz.mdb";
  EXPECT_EQ(ConnectionStringValue(text, u"DefaultDir"), u"/a;b=c");
  EXPECT_EQ(ConnectionStringValue(text, u"DBQ"), u"/a;b=c/RovevizoduziDivoz.mdb");
}

}  // namespace
}  // namespace pointimport::outside

#include "main/database_location.h"

#include <gtest/gtest.h>

#include "convert/utf.h"

namespace pointimport::main {
namespace {

TEST(AddPathSeparator, AppendsOneSeparatorOnlyWhenMissing) {
  const struct {
    const char16_t* path;
    const char16_t* result;
  } cases[] = {
      {u"", u"/"},
      {u"/opt/tool", u"/opt/tool/"},
      {u"/opt/tool/", u"/opt/tool/"},
      {u"C:\\Tools\\", u"C:\\Tools\\"},
      {u"/", u"/"},
      {u"/opt/tool\u3000", u"/opt/tool\u3000/"},
  };
  for (const auto& c : cases) EXPECT_EQ(AddPathSeparator(c.path), c.result) << convert::Utf16ToUtf8(c.path);
}

TEST(BuildConnectionString, NamesTheFixedFileInTheProgramFolder) {
  EXPECT_EQ(BuildConnectionString(u"/opt/tool"),
            u"DRIVER=Microsoft Access Driver (*.mdb);DefaultDir=/opt/tool;DBQ=/opt/tool/RovevizoduziDivoz.mdb");
  EXPECT_EQ(BuildConnectionString(u"/"),
            u"DRIVER=Microsoft Access Driver (*.mdb);DefaultDir=/;DBQ=/RovevizoduziDivoz.mdb");
}

}  // namespace
}  // namespace pointimport::main

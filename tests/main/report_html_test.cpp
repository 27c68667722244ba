#include "main/report_html.h"

#include <gtest/gtest.h>

#include <pugixml.hpp>
#include <sstream>

#include "support/import_fixture.h"

namespace pointimport::main {
namespace {

using convert::Variant;
using test_support::FakeEvent;
using test_support::Runner;

class ReportHtmlTest : public test_support::ImportTest {};

TEST_F(ReportHtmlTest, IsAWellFormedPageThatShowsHostileNamesAsText) {
  // XML allows neither the C0 controls, even as references, nor U+FFFE and
  // U+FFFF, nor surrogates; a page turns a reference to a C1 control into
  // another character.
  const std::u16string hostile[] = {u"<script>alert(1)</script>", u"A & B \"C\" 'D'",
                                    u"esc\x1b[31m\x7f\x85\x01\r\uFFFE\uFFFF\xD800", u"]]><x/>"};
  const std::string shown[] = {"<script>alert(1)</script>", "A & B \"C\" 'D'",
                               "esc\\x1b[31m\\x7f\\x85\\x01\\x0d\uFFFD\uFFFD\uFFFD", "]]><x/>"};
  FakeEvent event;
  event.fileName = Variant(u"E<1>");
  event.description = Variant(u"<img src=x onerror=alert(1)>");
  event.classes = {{u"<b>M21</b>", {}}, {u"W21", {Runner(u"一人", Variant(1), u"0:30:00")}}};
  for (int i = 0; i < 4; ++i) {
    const std::u16string time = u"0:3" + std::u16string(1, static_cast<char16_t>(u'0' + i)) + u":00";
    event.classes[0].results.push_back(Runner(hostile[i], Variant(i + 1), time, hostile[i]));
  }
  std::ostringstream html;
  WriteHtmlReport({Import(event).report}, html);
  EXPECT_EQ(html.str().find("&#x"), std::string::npos);

  pugi::xml_document page;
  const auto parsed = page.load_string(html.str().c_str(), pugi::parse_default | pugi::parse_doctype);
  ASSERT_TRUE(parsed) << parsed.description() << " at " << parsed.offset;
  EXPECT_TRUE(page.select_nodes("//script | //link | //img | //iframe | //*[@src] | //*[@href]").empty());
  EXPECT_EQ(page.select_nodes("//style").size(), 1u);

  const auto rows = page.select_nodes("//table[1]/tbody/tr");
  ASSERT_EQ(rows.size(), 4u);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const pugi::xml_node row = rows[i].node();
    EXPECT_EQ(std::string(row.child("td").next_sibling("td").text().get()), shown[i]);
    const std::string classes = row.attribute("class").value();
    EXPECT_EQ(classes.find("reference") != std::string::npos, i < 3) << classes;
    EXPECT_NE(classes.find("new"), std::string::npos) << classes;
  }
  EXPECT_EQ(std::string(page.select_node("//h2").node().text().get()), "E<1>: <img src=x onerror=alert(1)>");
  // The class of one gets 0 points and says why.
  const auto lone = page.select_node("//table[2]/tbody/tr").node();
  EXPECT_NE(std::string(lone.attribute("class").value()).find("zero"), std::string::npos);
  EXPECT_EQ(std::string(lone.select_node("td[8]").node().text().get()), "クラス3名未満");
}

}  // namespace
}  // namespace pointimport::main

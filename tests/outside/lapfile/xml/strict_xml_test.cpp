#include "outside/lapfile/xml/strict_xml.h"

#include <gtest/gtest.h>

#include "convert/utf.h"

namespace pointimport::outside::lapfile::xml {
namespace {

std::u16string Parse(std::string text, pugi::xml_document& document) {
  return ParseXmlStrictly(text, document);
}

TEST(ParseXmlStrictly, RefusesWhatXmlForbidsNamingTheCause) {
  const struct {
    const char* document;
    const char16_t* cause;
  } cases[] = {
      {"<Id>BASE-A&#0;evil</Id>", u"文字参照 &#0; は XML で使えない文字を指しています (要素 Id)"},
      {"<a><b>&#xD800;</b></a>", u"文字参照 &#xD800; は XML で使えない文字を指しています (要素 b)"},
      {"<a>&#x110000;</a>", u"文字参照 &#x110000; は"},
      {"<a>&#99999999999999999999;</a>", u"文字参照 &#99999999999999999999; は"},
      {"<a x='&#1;'/>", u"文字参照 &#1; は XML で使えない文字を指しています (要素 a の属性 x)"},
      {"<a>caf&nbsp;</a>", u"宣言されていない実体参照 &nbsp; があります (要素 a)"},
      {"<a>Smith & Sons</a>", u"参照になっていない & があります (要素 a)"},
      {"<a>&#x;</a>", u"参照になっていない & があります"},
      {"<a>&amp</a>", u"参照になっていない & があります"},
      {"<a x='1 < 2'/>", u"属性の値に < があります (要素 a の属性 x)"},
      {"<a><b sex='M' id='1' sex='F'/></a>", u"属性 sex が重複しています (要素 b)"},
      {"<a x='>' x='&amp;'/>", u"属性 x が重複しています (要素 a)"},
      {"<a x='1'>p=q<!-- y=2 --><b y='<'/></a>", u"属性の値に < があります (要素 b の属性 y)"},
      {"<r><a><?pi x=1?></a >=<b y='1' y='2'/></r>", u"属性 y が重複しています (要素 b)"},
      {"<!DOCTYPE a [<!ENTITY e 'x'>]><a>&e;</a>", u"DOCTYPE で宣言された実体は読めません"},
      {"<a/><a/>", u"ルート要素がひとつではありません"},
      {"<a/>x", u"ルート要素の外に文字があります"},
      {"<a>\n<Id>E\x01</Id></a>", u"XML で使えない文字 U+0001 があります (行 2)"},
      {"<a x='\x1F'/>", u"XML で使えない文字 U+001F があります (行 1)"},
      {"<a><!-- \x0C --></a>", u"XML で使えない文字 U+000C があります"},
      {"<a>\xEF\xBF\xBE</a>", u"XML で使えない文字 U+FFFE があります"},
      {"<a>\n\n<b>x]]>y</b></a>", u"文字データに ]]> があります (行 3) (要素 b)"},
      {"<a>\n<!-- a -- b --></a>", u"コメントの中に -- があります (行 2)"},
      {"<a/>\n<?xml version='1.0'?>", u"XML 宣言が文書の先頭にありません (行 2)"},
  };
  for (const auto& c : cases) {
    pugi::xml_document document;
    const std::u16string reason = Parse(c.document, document);
    EXPECT_EQ(reason.rfind(u"XML として正しくありません: ", 0), 0u) << c.document;
    EXPECT_NE(reason.find(c.cause), std::u16string::npos)
        << c.document << " -> " << convert::Utf16ToUtf8(reason);
  }
}

// Also when a DOCTYPE with declarations of its own has every node checked.
TEST(ParseXmlStrictly, ExpandsTheReferencesXmlHasAndLeavesCdataAsWritten) {
  for (const char* doctype : {"<!DOCTYPE a SYSTEM 'a.dtd'>", "<!DOCTYPE a [<!ATTLIST a x CDATA #IMPLIED>]>"}) {
    pugi::xml_document document;
    std::string text =
        std::string(doctype) +
        "<a x='&lt;&#x9AD9;&quot;&#10;'>&amp;&#65;&#x20BB7;&gt;&apos;"
        "<b>&#x9;<![CDATA[&nbsp;]]><!-- & --></b><c y=']]>'>]]&gt;<![CDATA[]]]]><!-- ]]> --></c></a>";
    ASSERT_EQ(ParseXmlStrictly(text, document), u"") << doctype;
    const pugi::xml_node a = document.child("a");
    EXPECT_STREQ(a.attribute("x").value(), "<\xE9\xAB\x99\"\n");
    EXPECT_STREQ(a.value(), "&A\xF0\xA0\xAE\xB7>'");
    EXPECT_STREQ(a.child("b").value(), "\t");
    EXPECT_STREQ(a.child("b").first_child().value(), "&nbsp;");
    EXPECT_STREQ(a.child("c").attribute("y").value(), "]]>");
  }
}

}  // namespace
}  // namespace pointimport::outside::lapfile::xml

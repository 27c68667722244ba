#include "outside/lapfile/xml/xml_encoding.h"

#include <gtest/gtest.h>

namespace pointimport::outside::lapfile::xml {
namespace {

using namespace std::string_literals;

TEST(DecodeXmlDocument, ReadsTheMarkOrTheDeclaredEncoding) {
  const struct {
    std::string bytes;
    const char* encoding;
    std::string utf8;
  } cases[] = {
      {"<a>\xE5\xB1\xB1</a>", "UTF-8", "<a>\xE5\xB1\xB1</a>"},
      {"<?xml version='1.0'?><a/>", "UTF-8", "<?xml version='1.0'?><a/>"},
      {"<?xml version=\"1.0\" encoding = 'utf-8'?><a/>", "UTF-8",
       "<?xml version=\"1.0\" encoding = 'utf-8'?><a/>"},
      // The mark wins over the declaration, and is taken off.
      {"\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><a>\xE5\xB1\xB1</a>", "UTF-8",
       "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><a>\xE5\xB1\xB1</a>"},
      {"\xFF\xFE<\0a\0>\0q\x5c<\0/\0a\0>\0"s, "UTF-16LE", "<a>\xE5\xB1\xB1</a>"},
      {"\xFE\xFF\0<\0a\0>\x5cq\0<\0/\0a\0>"s, "UTF-16BE", "<a>\xE5\xB1\xB1</a>"},
      {"\xFF\xFE<\0a\0>\0\x42\xD8\xB7\xDF<\0/\0a\0>\0"s, "UTF-16LE", "<a>\xF0\xA0\xAE\xB7</a>"},  // U+20BB7
      {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>Gr\xF8n</a>", "ISO-8859-1",
       "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>Gr\xC3\xB8n</a>"},
      // Shift_JIS is read as CP932: ① (NEC row 13) and 髙 (IBM extension)
      // are there, and 0x5C and 0x7E stay \ and ~.
      {"<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><a>\x87\x40\xFB\xFC\x5C\x7E</a>", "CP932",
       "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><a>\xE2\x91\xA0\xE9\xAB\x99\\~</a>"},
      {"<?xml version=\"1.0\" encoding=\"windows-31j\"?><a>\xEE\xE0</a>", "CP932",
       "<?xml version=\"1.0\" encoding=\"windows-31j\"?><a>\xE9\xAB\x99</a>"},
      {"<?xml version=\"1.0\" encoding=\"EUC-JP\"?><a>\xBB\xB3</a>", "EUC-JP",
       "<?xml version=\"1.0\" encoding=\"EUC-JP\"?><a>\xE5\xB1\xB1</a>"},
  };
  for (const auto& c : cases) {
    const XmlDecodeResult decoded = DecodeXmlDocument(c.bytes);
    EXPECT_EQ(decoded.status, XmlDecodeStatus::Decoded) << c.bytes;
    EXPECT_EQ(decoded.encoding, c.encoding) << c.bytes;
    EXPECT_EQ(decoded.utf8, c.utf8) << c.bytes;
  }
}

TEST(DecodeXmlDocument, FailsRatherThanDropOrGuess) {
  const struct {
    std::string bytes;
    XmlDecodeStatus status;
  } cases[] = {
      // Shift_JIS bytes with no declaration are not UTF-8.
      {"<a>\x8E\x52\x93\x63</a>", XmlDecodeStatus::InvalidBytes},
      {"<a>\xFF</a>", XmlDecodeStatus::InvalidBytes},
      {"<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><a>\x82</a>", XmlDecodeStatus::InvalidBytes},
      {"<?xml version=\"1.0\" encoding=\"CP932\"?><a>\x85\x40</a>", XmlDecodeStatus::InvalidBytes},
      {"<?xml version=\"1.0\" encoding=\"EUC-JP\"?><a>\xBB", XmlDecodeStatus::InvalidBytes},
      {"\xFF\xFE<\0\0\xD8"s, XmlDecodeStatus::InvalidBytes},  // an unpaired surrogate
      {"\xFF\xFE<\0a"s, XmlDecodeStatus::InvalidBytes},       // an odd byte at the end
      {"\xFF\xFE\0\0<\0\0\0"s, XmlDecodeStatus::UnknownEncoding},
      {"<?xml version=\"1.0\" encoding=\"UTF-16\"?><a/>", XmlDecodeStatus::UnknownEncoding},
      {"<?xml version=\"1.0\" encoding=\"windows-1252\"?><a/>", XmlDecodeStatus::UnknownEncoding},
      {"<?xml version=\"1.0\" encoding=Shift_JIS?><a/>", XmlDecodeStatus::UnknownEncoding},
  };
  for (const auto& c : cases) {
    const XmlDecodeResult decoded = DecodeXmlDocument(c.bytes);
    EXPECT_EQ(decoded.status, c.status) << c.bytes;
    EXPECT_FALSE(decoded.reason.empty());
    EXPECT_TRUE(decoded.utf8.empty());
  }
}

}  // namespace
}  // namespace pointimport::outside::lapfile::xml

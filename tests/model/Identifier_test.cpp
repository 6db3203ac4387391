// Tests of identifier recognition and of turning free text into identifiers.
#include "model/Identifier.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/Error.h"

namespace {

TEST(IdentifierTest, IsIdentifier) {
  struct Case {
    std::string text;
    bool expected;
  };
  // Characters right next to the ASCII letter and digit ranges ("@", "[", "`", "{",
  // "/", ":") and letters beyond ASCII are no identifier characters.
  const std::vector<Case> cases = {
      {"Order", true}, {"_x1", true},       {"a", true},    {"_", true},    {"Z9_z", true},
      {"1abc", false}, {"my class", false}, {" a", false},  {"a\t", false}, {"@a", false},
      {"a[", false},   {"a`", false},       {"a{", false},  {"a/", false},  {"a:", false},
      {"a-b", false},  {"asč", false},      {"Čas", false}, {"Ж", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsIdentifier(c.text), c.expected) << c.text;
  }
}

TEST(IdentifierTest, EmptyNameRaises) {
  try {
    IsIdentifier("");
    FAIL() << "an empty name must raise";
  } catch (const GenericError& error) {
    EXPECT_STREQ(error.what(), "name is empty");
  }
  EXPECT_EQ(MakeIdentifier(""), "");
}

TEST(IdentifierTest, MakeIdentifier) {
  struct Case {
    std::string text;
    std::string expected;
  };
  const std::vector<Case> cases = {
      // Gap runs vanish and capitalise what follows.
      {"my class", "myClass"},
      {"  order item", "OrderItem"},
      {"name ", "name"},
      {"a\tb\rc\nd", "aBCD"},
      {"a \x01\x1F  b", "aB"},
      {" \t\r\n", ""},
      // Characters an identifier may not hold become "_", and stay so after a gap.
      {"a-b", "a_b"},
      {"a - b", "a_B"},
      {"x _y", "x_y"},
      {"2nd", "2nd"},
      {"a 2", "a2"},
      {"!\"#$%&'()*+,-./:;<=>?@[\\]^`{|}~\x7F", "________________________________"},
      // Letters of Windows-1250 by its table, whatever Unicode says ("ß" is a letter,
      // "Đ" has no decomposition); capitals after a gap.
      {"Žluťoučký kůň", "ZlutouckyKun"},
      {"a š", "aS"},
      {"a č", "aC"},
      {"a ×", "a_"},
      {"Maß Đuro €", "Ma_Duro_"},
      // Other letters built on an ASCII letter become it, through every level of
      // their canonical decomposition.
      {"Tiếng Việt", "TiengViet"},
      {"Possède ñandú ǎb Å \u212A", "PossedeNanduAbAK"},
      // Other letters from U+0100 on stay, and take their simple uppercase mapping
      // after a gap when they have one that is one character.
      {"Заказ", "Заказ"},
      {"мой класс", "мойКласс"},
      {"Πελάτης ά", "ΠελάτηςΆ"},
      {"订单 项", "订单项"},
      {"a ŉ", "aŉ"},
      // Latin-1 letters without an ASCII base, and all that is no letter, become "_".
      {"Øæðþª", "_____"},
      {"😀a٣²①", "_a___"},
      {"a\xFF\xE2\x82", "a__"},
      // A combining mark vanishes after a character that gave output, and so do the
      // marks after it; at the start of a word it stands alone as "_".
      {"Posse\u0300de", "Possede"},
      {"e\u0301\u0308x", "ex"},
      {"_\u0301", "_"},
      {"\u0301", "_"},
      {"\u0301\u0308", "_"},
      {"a \u0301b", "a_b"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MakeIdentifier(c.text), c.expected) << c.text;
  }
}

// Every character of Windows-1250's upper half, in byte order, against its expected
// replacement; the bytes 81, 83, 88, 90 and 98 hold no character.
TEST(IdentifierTest, ConversionOfUpperHalf) {
  const std::string upperHalf =
      "€‚„…†‡‰Š‹ŚŤŽŹ"               // 128-143
      "‘’“”•–—™š›śťžź"              // 144-159
      "\u00A0ˇ˘Ł¤Ą¦§¨©Ş«¬\u00AD®Ż"  // 160-175
      "°±˛ł´µ¶·¸ąş»Ľ˝ľż"            // 176-191
      "ŔÁÂĂÄĹĆÇČÉĘËĚÍÎĎ"            // 192-207
      "ĐŃŇÓÔŐÖ×ŘŮÚŰÜÝŢß"            // 208-223
      "ŕáâăäĺćçčéęëěíîď"            // 224-239
      "đńňóôőö÷řůúűüýţ˙";           // 240-255
  EXPECT_EQ(MakeIdentifier(upperHalf),
            "_______S_STZZ"       // 128-143
            "________s_stzz"      // 144-159
            "___L_A____S____Z"    // 160-175
            "___l_____as_L_lz"    // 176-191
            "RAAAALCCCEEEEIID"    // 192-207
            "DNNOOOO_RUUUUYT_"    // 208-223
            "raaaalccceeeeiid"    // 224-239
            "dnnoooo_ruuuuyt_");  // 240-255
  // After a gap the lower-case letters among them turn into capitals.
  EXPECT_EQ(MakeIdentifier(" ŕ á â ă ä ĺ ć ç č é ę ë ě í î ď đ ń ň ó ô ő ö ÷ ř ů ú ű ü ý ţ ˙"),
            "RAAAALCCCEEEEIIDDNNOOOO_RUUUUYT_");
}

}  // namespace

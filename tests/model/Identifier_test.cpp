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
  // "/", ":") and Windows-1250 letters (\xC8 is Č) are no identifier characters.
  const std::vector<Case> cases = {
      {"Order", true}, {"_x1", true},       {"a", true},          {"_", true},    {"Z9_z", true},
      {"1abc", false}, {"my class", false}, {" a", false},        {"a\t", false}, {"@a", false},
      {"a[", false},   {"a`", false},       {"a{", false},        {"a/", false},  {"a:", false},
      {"a-b", false},  {"as\xE8", false},   {"\xC8\x61s", false},
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
      // Windows-1250 letters lose their accents; capitals after a gap.
      {"\x8E\x6Cu\x9Dou\xE8k\xFD k\xF9\xF2", "ZlutouckyKun"},  // Žluťoučký kůň
      {"a \x9A", "aS"},
      {"a \xE8", "aC"},
      {"a \xD7", "a_"},  // × is no letter
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MakeIdentifier(c.text), c.expected) << c.text;
  }
}

// Every byte from 128 to 255, in order, against its expected replacement.
TEST(IdentifierTest, ConversionOfUpperHalf) {
  std::string upperHalf;
  for (int byte = 128; byte < 256; ++byte) upperHalf += static_cast<char>(byte);
  EXPECT_EQ(MakeIdentifier(upperHalf),
            "__________S_STZZ"   // 128-143
            "__________s_stzz"   // 144-159
            "___L_A____S____Z"   // 160-175
            "___l_____as_L_lz"   // 176-191
            "RAAAALCCCEEEEIID"   // 192-207
            "DNNOOOO_RUUUUYT_"   // 208-223
            "raaaalccceeeeiid"   // 224-239
            "dnnoooo_ruuuuyt_")  // 240-255
  ;
  // After a gap the lower-case letters among them turn into capitals.
  std::string spaced;
  for (int byte = 224; byte < 256; ++byte) {
    spaced += ' ';
    spaced += static_cast<char>(byte);
  }
  EXPECT_EQ(MakeIdentifier(spaced), "RAAAALCCCEEEEIIDDNNOOOO_RUUUUYT_");
}

}  // namespace

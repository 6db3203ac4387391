// Tests of the Unicode character properties, at the edges of the generated table's runs.
#include "model/Unicode.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

struct Properties {
  char32_t codePoint;
  CharKind kind;
  char32_t upper;
  char32_t lower;
  char base;
};

TEST(Unicode, PropertiesOfCharacters) {
  using enum CharKind;
  const std::vector<Properties> cases = {
      // ASCII, and the first and last code points of the table.
      {'A', UppercaseLetter, 'A', 'a', 0},
      {'z', Letter, 'Z', 'z', 0},
      {'_', Other, '_', '_', 0},
      {0, Other, 0, 0, 0},
      {0x10FFFF, Other, 0x10FFFF, 0x10FFFF, 0},
      // Latin: alternating case in steps of two; bases through two levels (U+212B
      // Å is U+00C5, which is A and a ring).
      {0x0100, UppercaseLetter, 0x0100, 0x0101, 'A'},
      {0x0101, Letter, 0x0100, 0x0101, 'a'},
      {0x00FF, Letter, 0x0178, 0x00FF, 'y'},
      {0x1EBF, Letter, 0x1EBE, 0x1EBF, 'e'},
      {0x212B, UppercaseLetter, 0x212B, 0x00E5, 'A'},
      {0x00D8, UppercaseLetter, 0x00D8, 0x00F8, 0},
      {0x00DF, Letter, 0x00DF, 0x00DF, 0},
      // Other scripts, ranges given by their first and last code point, marks, and
      // characters that are no letters.
      {0x03C2, Letter, 0x03A3, 0x03C2, 0},
      {0x0416, UppercaseLetter, 0x0416, 0x0436, 0},
      {0x4E00, Letter, 0x4E00, 0x4E00, 0},
      {0x9FFF, Letter, 0x9FFF, 0x9FFF, 0},
      {0xD7A3, Letter, 0xD7A3, 0xD7A3, 0},
      {0x10400, UppercaseLetter, 0x10400, 0x10428, 0},
      {0x0301, Mark, 0x0301, 0x0301, 0},
      {0x0345, Mark, 0x0399, 0x0345, 0},
      {0x0378, Other, 0x0378, 0x0378, 0},
      {0x0663, Other, 0x0663, 0x0663, 0},
      {0x1F600, Other, 0x1F600, 0x1F600, 0},
      {0xD800, Other, 0xD800, 0xD800, 0},
  };
  for (const Properties& c : cases) {
    const auto code = static_cast<uint32_t>(c.codePoint);
    EXPECT_EQ(KindOf(c.codePoint), c.kind) << std::hex << code;
    EXPECT_EQ(static_cast<uint32_t>(SimpleUppercase(c.codePoint)), static_cast<uint32_t>(c.upper))
        << std::hex << code;
    EXPECT_EQ(static_cast<uint32_t>(SimpleLowercase(c.codePoint)), static_cast<uint32_t>(c.lower))
        << std::hex << code;
    EXPECT_EQ(AsciiBaseLetter(c.codePoint), c.base) << std::hex << code;
  }
}

}  // namespace

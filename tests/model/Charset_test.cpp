// Tests of UTF-8 checking, decoding and encoding, and of the Windows-1250 lookup.
#include "model/Charset.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using Case = std::pair<std::string, std::string>;  // input, expected output

// Well-formed text passes unchanged, whatever its characters; each maximal
// ill-formed subsequence becomes one "?".
TEST(WellFormedUtf8, ReplacesEachMaximalIllFormedSubsequence) {
  const std::vector<Case> cases = {
      {"", ""},
      {std::string("a\0\x1f~\x7f", 5), std::string("a\0\x1f~\x7f", 5)},
      {"\xC5\xA0\xC4\x8D\xC3\xBC\xC3\x9F\xC3\xB1\xCE\xA9\xC2\x80",  // Š č ü ß ñ Ω U+0080
       "\xC5\xA0\xC4\x8D\xC3\xBC\xC3\x9F\xC3\xB1\xCE\xA9\xC2\x80"},
      {"\xE4\xB8\xAD|\xEF\xBB\xBF|\xEF\xBF\xBD", "\xE4\xB8\xAD|\xEF\xBB\xBF|\xEF\xBF\xBD"},
      {"a\xF0\x9F\x98\x80z\xF4\x8F\xBF\xBF", "a\xF0\x9F\x98\x80z\xF4\x8F\xBF\xBF"},
      {"\x80", "?"},                      // lone continuation byte
      {"\xC0\xAF", "??"},                 // C0 never starts a sequence
      {"\xC1\xBF\xF5\x80\xFF", "?????"},  // nor do C1, F5 and FF
      {"\xE0\x80\xAF", "???"},            // overlong 3-byte form
      {"\xF0\x80\x80\x80", "????"},       // overlong 4-byte form
      {"\xED\xA0\x80", "???"},            // encoded surrogate
      {"\xF4\x90\x80\x80", "????"},       // above U+10FFFF
      {"\xE2\x82", "?"},                  // 3-byte sequence cut by the end
      {"\xE2\x82"
       "A",
       "?A"},  // ... and by an ASCII byte
      {"\xF0\x9F\x98\xE2\x82\xAC", "?\xE2\x82\xAC"},
      {"\xC2\xC5\xA0", "?\xC5\xA0"},
      // The example of the Unicode standard for substitution, behind a run of ASCII
      // longer than a word.
      {"0123456789a\xF1\x80\x80\xE1\x80\xC2"
       "b\x80"
       "c\x80\xBF"
       "d",
       "0123456789a???b?c??d"},
  };
  for (const auto& [input, expected] : cases) {
    EXPECT_EQ(WellFormedUtf8(input), expected) << input;
    EXPECT_EQ(IsWellFormedUtf8(input), input == expected) << input;
  }
}

// Code points and lengths at the borders of each sequence length; an ill-formed
// piece reads as one character of its own length.
TEST(DecodeUtf8, DecodesOneCharacterAtATime) {
  const std::string text =
      "A\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"
      "\xE2\x82"
      "B\xFF";
  std::vector<std::pair<char32_t, size_t>> decoded;
  for (size_t at = 0; at < text.size();) {
    const Utf8Char c = DecodeUtf8(text, at);
    decoded.emplace_back(c.codePoint, c.length);
    at += c.length;
  }
  EXPECT_EQ(decoded, (std::vector<std::pair<char32_t, size_t>>{{'A', 1},
                                                               {0x7F, 1},
                                                               {0x80, 2},
                                                               {0x7FF, 2},
                                                               {0x800, 3},
                                                               {0xFFFF, 3},
                                                               {0x10000, 4},
                                                               {0x10FFFF, 4},
                                                               {kIllFormed, 2},
                                                               {'B', 1},
                                                               {kIllFormed, 1}}));
  EXPECT_EQ(CharacterCount(WellFormedUtf8(text)), decoded.size());
  EXPECT_EQ(FirstCharacter("\xD0\x96x"), U'\u0416');
}

// Encoding gives back the bytes that decode to the same code point.
TEST(AppendUtf8, EncodesEachSequenceLength) {
  std::string out;
  for (const char32_t codePoint :
       {0x00u, 0x7Fu, 0x80u, 0x7FFu, 0x800u, 0xD7FFu, 0xE000u, 0xFFFFu, 0x10000u, 0x10FFFFu}) {
    AppendUtf8(out, codePoint);
  }
  EXPECT_EQ(out, std::string("\0\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80"
                             "\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF",
                             26));
}

// The Windows-1250 bytes of the upper half: 123 characters, each with a byte of its own.
TEST(Cp1250ByteOf, FindsTheCodePageByteOrNone) {
  const std::vector<std::pair<char32_t, unsigned>> cases = {
      {0x20AC, 0x80}, {0x0160, 0x8A}, {0x02D9, 0xFF}, {0x00A0, 0xA0},
      {0x010D, 0xE8}, {0x0080, 0},    {0x00FF, 0},    {0x00F1, 0},
      {0xFFFD, 0},    {0x0416, 0},    {0x10FFFF, 0},  {kIllFormed, 0}};
  for (const auto& [codePoint, byte] : cases) {
    EXPECT_EQ(Cp1250ByteOf(codePoint), byte) << static_cast<uint32_t>(codePoint);
  }
  std::set<unsigned char> bytes;
  int found = 0;
  for (char32_t codePoint = 0x80; codePoint < 0x10000; ++codePoint) {
    const unsigned char byte = Cp1250ByteOf(codePoint);
    if (byte == 0) continue;
    ++found;
    bytes.insert(byte);
  }
  EXPECT_EQ(found, 123);
  EXPECT_EQ(bytes.size(), 123u);
  EXPECT_EQ(*bytes.begin(), 0x80);
}

}  // namespace

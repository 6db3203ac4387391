// Tests of the conversion between UTF-8 and Windows-1250.
#include "model/Charset.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

using Case = std::pair<std::string, std::string>;  // input, expected output

// Well-formed UTF-8: ASCII stays, characters of the code page become their byte,
// all others one "?" each, whatever their length.
TEST(Utf8ToCp1250, DecodesWellFormedSequences) {
  const std::vector<Case> cases = {
      {"", ""},
      {std::string("a\0\x1f~\x7f", 5), std::string("a\0\x1f~\x7f", 5)},
      {"\xC5\xA0\xC4\x8D\xC3\xBC\xC3\x9F", "\x8A\xE8\xFC\xDF"},  // Š č ü ß
      {"\xCB\x87\xCB\x99\xC2\xA0", "\xA1\xFF\xA0"},              // ˇ ˙ no-break space
      {"\xE2\x82\xAC\xE2\x80\x93\xE2\x84\xA2", "\x80\x96\x99"},  // € – ™
      {"\xC3\xB1\xCE\xA9\xC2\x80", "???"},                       // ñ Ω U+0080: missing
      {"\xE4\xB8\xAD|\xEF\xBB\xBF|\xEF\xBF\xBD", "?|?|?"},       // 中, BOM, U+FFFD
      {"a\xF0\x9F\x98\x80z\xF4\x8F\xBF\xBF", "a?z?"},            // 4-byte: U+1F600, U+10FFFF
  };
  for (const auto& [input, expected] : cases) EXPECT_EQ(Utf8ToCp1250(input), expected) << input;
}

// Ill-formed UTF-8: each maximal ill-formed subsequence becomes one "?".
TEST(Utf8ToCp1250, ReplacesEachMaximalIllFormedSubsequence) {
  const std::vector<Case> cases = {
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
      {"\xF0\x9F\x98\xE2\x82\xAC", "?\x80"},
      {"\xC2\xC5\xA0", "?\x8A"},
      // The example of the Unicode standard for substitution.
      {"a\xF1\x80\x80\xE1\x80\xC2"
       "b\x80"
       "c\x80\xBF"
       "d",
       "a???b?c??d"},
  };
  for (const auto& [input, expected] : cases) EXPECT_EQ(Utf8ToCp1250(input), expected) << input;
}

TEST(Cp1250ToUtf8, EncodesDefinedBytesAndMarksUndefinedOnes) {
  const std::vector<Case> cases = {
      {"plain ASCII\r\n", "plain ASCII\r\n"},
      {"\x8A\xE8\xFC", "\xC5\xA0\xC4\x8D\xC3\xBC"},
      {"\x80\x99\xA0\xFF", "\xE2\x82\xAC\xE2\x84\xA2\xC2\xA0\xCB\x99"},
      {"\x81\x83\x88\x90\x98", "?????"},
  };
  for (const auto& [input, expected] : cases) EXPECT_EQ(Cp1250ToUtf8(input), expected) << input;
}

// Every defined byte survives the way to UTF-8 and back, and no two share a character.
TEST(Cp1250ToUtf8, RoundTripsEveryDefinedByte) {
  const std::string undefined = "\x81\x83\x88\x90\x98";
  int defined = 0;
  for (int code = 0; code < 256; ++code) {
    const std::string byte(1, static_cast<char>(code));
    if (undefined.find(byte[0]) != std::string::npos) continue;
    ++defined;
    EXPECT_EQ(Utf8ToCp1250(Cp1250ToUtf8(byte)), byte) << code;
  }
  EXPECT_EQ(defined, 251);
}

TEST(CodePointToCp1250, MapsCodePointsOrGivesQuestionMark) {
  const std::vector<std::pair<int64_t, char>> cases = {
      {0, '\0'},        {65, 'A'},        {127, '\x7F'},   {0x20AC, '\x80'},   {0x0160, '\x8A'},
      {0x02D9, '\xFF'}, {0x00A0, '\xA0'}, {0x0080, '?'},   {0x00FF, '?'},      {0xFFFD, '?'},
      {-1, '?'},        {-0x20AC, '?'},   {0x110000, '?'}, {0x1000020AC, '?'}, {INT64_MIN, '?'},
  };
  for (const auto& [codePoint, expected] : cases) {
    EXPECT_EQ(CodePointToCp1250(codePoint), expected) << codePoint;
  }
}

}  // namespace

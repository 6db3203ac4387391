// UTF-8, the encoding of all text in the system, and the Windows-1250 code page that
// identifier normalisation still reads accented letters by.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// What a maximal ill-formed subsequence of bytes decodes to; no code point has this value.
inline constexpr char32_t kIllFormed = 0xFFFFFFFF;

// One character of UTF-8 text: its code point (kIllFormed for an ill-formed piece)
// and its length in bytes.
struct Utf8Char {
  char32_t codePoint;
  std::size_t length;
};

// The character that starts at byte at, which must lie inside the text.
Utf8Char DecodeUtf8(std::string_view text, std::size_t at);
// The first character of a text that is not empty.
char32_t FirstCharacter(std::string_view text);

// The number of bytes before the first one from 0x80 on: the ASCII the text starts with.
std::size_t AsciiPrefixLength(std::string_view text);
// Whether the text is well-formed UTF-8.
bool IsWellFormedUtf8(std::string_view text);
// The text with each maximal ill-formed subsequence of bytes replaced by one "?".
std::string WellFormedUtf8(std::string_view text);
// The number of characters of well-formed UTF-8 text.
std::size_t CharacterCount(std::string_view text);

// Appends the UTF-8 form of a code point up to U+10FFFF that is no surrogate.
void AppendUtf8(std::string& out, char32_t codePoint);

// The Windows-1250 byte of a code point above 127; 0 when the code page lacks it.
unsigned char Cp1250ByteOf(char32_t codePoint);

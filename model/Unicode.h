// The few Unicode character properties that names need: kind, case and base letter.
#pragma once

#include <cstdint>
#include <string>

// Letter is every letter category but Lu (uppercase letters); Mark is every mark category.
enum class CharKind : uint8_t { Other, Letter, UppercaseLetter, Mark };

// Anything beyond U+10FFFF is Other.
CharKind KindOf(char32_t codePoint);

// The simple case mappings; a character without one maps to itself.
char32_t SimpleUppercase(char32_t codePoint);
char32_t SimpleLowercase(char32_t codePoint);

// The ASCII letter that a letter's full canonical decomposition starts with ("e" for
// "ế"); 0 for a character that decomposes into no such letter, ASCII included.
char AsciiBaseLetter(char32_t codePoint);

// Replaces the first character of UTF-8 text by its simple uppercase or lowercase mapping.
void UppercaseFirst(std::string& text);
void LowercaseFirst(std::string& text);

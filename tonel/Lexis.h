// The characters of Smalltalk source that class files are read by: blanks, line ends,
// letters, identifiers.
#pragma once

#include <cstddef>
#include <string_view>

bool IsAsciiDigit(char c);
// Space, tab, line feed, carriage return and form feed separate tokens.
bool IsBlank(char c);
// The length in bytes of the Unicode letter (UTF-8) or "_" at byte at; 0 when there is
// none. The position must lie inside the text.
std::size_t LetterLength(std::string_view text, std::size_t at);
// The length in bytes of the identifier that starts at byte at: a letter or "_", then
// letters, digits and "_". 0 when none starts there, or when at is the text's end.
std::size_t IdentifierLength(std::string_view text, std::size_t at);
// The position after the blanks and comments ("...") from byte at on; an unclosed
// comment is left where it starts.
std::size_t AfterGap(std::string_view text, std::size_t at);
// The position after the string ('...'), comment ("...") or character literal ($x)
// that starts at byte at; at itself when none starts there; npos when it is not
// closed. A doubled quote in a string needs no care: it ends one string and starts
// the next.
std::size_t AfterLiteral(std::string_view text, std::size_t at);

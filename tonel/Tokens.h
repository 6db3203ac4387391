// Comparing Smalltalk texts by their tokens, so that a formatter's layout is no change.
#pragma once

#include <string_view>

// Whether the two texts hold the same Smalltalk tokens: they may differ only in blanks,
// tabs and line breaks between tokens. String literals, symbols, comments and character
// literals compare exactly, byte for byte.
bool SameTokens(std::string_view a, std::string_view b);

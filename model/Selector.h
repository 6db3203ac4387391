// Operation names that spell a Smalltalk selector: keywords ("at:put:") or a binary one ("<=").
#pragma once

#include <string_view>
#include <vector>

// Whether the text is a selector's keywords: one or more runs of characters other
// than blanks, ":", "(" and ")", each followed by ":".
bool IsKeywordList(std::string_view text);
// The keywords of such a text, without their colons, in order.
std::vector<std::string_view> KeywordsOf(std::string_view text);
// Whether the character may stand in a binary selector: one of ~!@%&*-+=\|?/><,
bool IsBinarySelectorCharacter(char c);
// Whether the text is a binary selector: such characters alone, with a "-" only first, since
// Smalltalk reads a "-" after another of them as the sign of what follows.
bool IsBinarySelector(std::string_view text);

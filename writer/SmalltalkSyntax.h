// Whether diagram text is Smalltalk code that an initialize method can hold as it is.
#pragma once

#include <string_view>

// Whether the text, blanks at either end aside, is one expression: literals,
// identifiers and parenthesised expressions joined by unary, binary and keyword
// messages. Assignments, cascades, blocks, braces, comments and statement ends
// are not expressions; tokens are read longest first, as Smalltalk reads them.
bool IsSmalltalkExpression(std::string_view text);
// Whether the text, blanks at either end aside, is one identifier: a letter of
// any script or "_", then letters, ASCII digits and "_".
bool IsSmalltalkIdentifier(std::string_view text);

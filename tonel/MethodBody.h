// The body of a method in a class file: the text from its "[" to the "]" that closes it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "tonel/TonelCursor.h"

// The cursor stands after the method's "[" and is left after the closing "]", whose
// position is answered. Brackets inside strings (quoted symbols too), comments and
// character literals do not count; those of blocks and byte arrays nest. The method is
// named, as "Person >> name", when its "[" is never closed.
std::size_t SkipMethodBody(TonelCursor& cursor, const std::string& method);
// The scan behind it: from byte at on, with depth brackets open, the position of the "]"
// that closes the last of them. The text's size when it ends first, depth then counting
// the brackets still open; npos when a literal is not closed, at then at its start.
std::size_t CloseBrackets(std::string_view text, std::size_t& at, std::size_t& depth);

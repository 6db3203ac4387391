// The pattern that a method's source starts with: its selector and where it ends.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A Tonel file writes a method as "Class >> <pattern> [<rest>", and its reader joins
// pattern and rest again, so the pattern's end must be exact.
struct MethodPattern {
  std::string selector;  // "at:put:", "+", "size"
  // Bytes from the source's start to the end of the unary selector, of the binary
  // operator's argument or of the last keyword's argument. Blanks and comments between
  // these tokens are inside; those after the last one are not.
  std::size_t length = 0;
};

// Raises GenericError when the source does not start with a pattern.
MethodPattern SplitPattern(std::string_view source);

// SCRATCH placeholder
std::string TonelMethodSource(std::string_view source);

// The pattern that a method's source starts with: its selector and where it ends.
#pragma once

#include <cstddef>
#include <optional>
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

// The method's source as a Tonel class file holds it: each comment between the pattern's
// tokens that holds a '"' (a doubled quote) or a '[' moves to the start of the body, in
// its order among such comments; everything else is the source unchanged, but for the
// blanks before a moved comment. Pharo finds the selector in the text before " [" and
// takes every '"' there for the start or end of a comment, so such a comment would give
// a wrong selector or cut the pattern short. Raises GenericError as SplitPattern does.
// Nothing when no comment moves: a method's text, which may be megabytes, mostly stays
// as it is, and is not copied then.
std::optional<std::string> TonelMethodSource(std::string_view method);

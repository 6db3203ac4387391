// Splitting a method's pattern (selector and argument names) from the rest of its source.
#include "tonel/Pattern.h"

#include "model/Error.h"
#include "tonel/Lexis.h"

namespace {

bool IsBinaryCharacter(char c) {
  return std::string_view("+-*/\\<>=~@%|&?,").find(c) != std::string_view::npos;
}

// The length of the keyword (an identifier and its ":") at byte at; 0 when there is
// none. "x:=" is an assignment, not a keyword.
std::size_t KeywordLength(std::string_view text, std::size_t at) {
  const std::size_t name = IdentifierLength(text, at);
  const std::size_t colon = at + name;
  if (name == 0 || colon >= text.size() || text[colon] != ':') return 0;
  if (colon + 1 < text.size() && text[colon + 1] == '=') return 0;
  return name + 1;
}

// The end of the argument name that follows the selector part from byte part to at.
std::size_t ArgumentEnd(std::string_view source, std::size_t part, std::size_t at) {
  const std::size_t name = AfterGap(source, at);
  const std::size_t length = IdentifierLength(source, name);
  if (length == 0 || KeywordLength(source, name) > 0) {
    throw GenericError("no argument name after " + std::string(source.substr(part, at - part)));
  }
  return name + length;
}

MethodPattern KeywordPattern(std::string_view source) {
  MethodPattern pattern;
  std::size_t at = 0;
  std::size_t keyword = KeywordLength(source, at);
  do {
    pattern.selector.append(source.substr(at, keyword));
    pattern.length = ArgumentEnd(source, at, at + keyword);
    at = AfterGap(source, pattern.length);
    keyword = KeywordLength(source, at);
  } while (keyword > 0);
  return pattern;
}

}  // namespace

MethodPattern SplitPattern(std::string_view source) {
  if (KeywordLength(source, 0) > 0) return KeywordPattern(source);
  const std::size_t unary = IdentifierLength(source, 0);
  if (unary > 0) return {std::string(source.substr(0, unary)), unary};
  std::size_t binary = 0;
  while (binary < source.size() && IsBinaryCharacter(source[binary])) ++binary;
  if (binary == 0) throw GenericError("the method does not start with a selector");
  return {std::string(source.substr(0, binary)), ArgumentEnd(source, 0, binary)};
}

// SCRATCH placeholder
std::string TonelMethodSource(std::string_view source) { return std::string(source); }

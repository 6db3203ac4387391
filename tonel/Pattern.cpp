// Splitting a method's pattern (selector and argument names) from the rest of its source.
#include "tonel/Pattern.h"

#include "model/Error.h"
#include "model/Selector.h"
#include "tonel/Lexis.h"

namespace {

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

// The end of the comments from byte at on that touch one another, which Smalltalk reads
// as one comment holding a '"' for each pair of quotes where they touch.
std::size_t AfterTouchingComments(std::string_view source, std::size_t at) {
  while (at < source.size() && source[at] == '"') at = AfterLiteral(source, at);
  return at;
}

}  // namespace

MethodPattern SplitPattern(std::string_view source) {
  if (KeywordLength(source, 0) > 0) return KeywordPattern(source);
  const std::size_t unary = IdentifierLength(source, 0);
  if (unary > 0) return {std::string(source.substr(0, unary)), unary};
  std::size_t binary = 0;
  while (binary < source.size() && IsBinarySelectorCharacter(source[binary])) ++binary;
  if (binary == 0) throw GenericError("the method does not start with a selector");
  return {std::string(source.substr(0, binary)), ArgumentEnd(source, 0, binary)};
}

std::optional<std::string> TonelMethodSource(std::string_view source) {
  const std::size_t patternEnd = SplitPattern(source).length;
  std::string result;
  std::string moved;
  std::size_t kept = 0;
  for (std::size_t at = 0; at < patternEnd; ++at) {
    if (source[at] != '"') continue;
    const std::size_t end = AfterTouchingComments(source, at);
    const std::string_view comment = source.substr(at, end - at);
    const std::string_view inside = comment.substr(1, comment.size() - 2);
    if (inside.find_first_of("\"[") != inside.npos) {
      std::size_t before = at;
      while (IsBlank(source[before - 1])) --before;
      result.append(source.substr(kept, before - kept));
      // The tokens on both sides of the comment stay apart.
      if (!IsBlank(source[end])) result += ' ';
      kept = end;
      if (!moved.empty()) moved += ' ';
      moved.append(comment);
    }
    at = end - 1;
  }
  if (moved.empty()) return std::nullopt;
  result.append(source.substr(kept, patternEnd - kept)).append(moved);
  // Touching, the last moved comment and a comment that follows would read as one.
  if (patternEnd < source.size() && source[patternEnd] == '"') result += ' ';
  result.append(source.substr(patternEnd));
  return result;
}

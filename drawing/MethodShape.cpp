// A method's pattern taken apart, and the shapes of the methods plimko writes.
#include "drawing/MethodShape.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "tonel/Lexis.h"
#include "tonel/Pattern.h"

namespace {

// The comment "=text" that starts at byte at, after blanks on its line; nothing when
// another one stands there.
std::optional<std::string> DefaultComment(std::string_view source, std::size_t at) {
  while (at < source.size() && (source[at] == ' ' || source[at] == '\t')) ++at;
  if (!source.substr(at).starts_with("\"=")) return std::nullopt;
  std::string text;
  for (std::size_t next = at + 2; next < source.size(); ++next) {
    if (source[next] != '"') {
      text += source[next];
    } else if (next + 1 < source.size() && source[next + 1] == '"') {
      text += '"';
      ++next;
    } else {
      return text;
    }
  }
  return std::nullopt;
}

// The token from byte at on, after blanks and comments: an identifier, or one character.
std::string_view NextToken(std::string_view text, std::size_t& at) {
  at = AfterGap(text, at);
  const std::size_t length = std::max<std::size_t>(IdentifierLength(text, at), 1);
  const std::string_view token = text.substr(at, length);
  at += token.size();
  return token;
}

std::size_t KeywordCount(std::string_view selector) {
  return static_cast<std::size_t>(std::count(selector.begin(), selector.end(), ':'));
}

// Whether the tokens from byte at on are the given ones and a statement's end.
bool IsStatement(std::string_view source, std::size_t at,
                 std::initializer_list<std::string_view> tokens) {
  for (const std::string_view token : tokens)
    if (NextToken(source, at) != token) return false;
  at = AfterGap(source, at);
  if (at < source.size() && source[at] == '.') at = AfterGap(source, at + 1);
  return at == source.size();
}

}  // namespace

PatternParts SplitParts(std::string_view source) {
  PatternParts parts;
  MethodPattern pattern = SplitPattern(source);
  parts.selector = std::move(pattern.selector);
  parts.length = pattern.length;
  std::size_t at = AfterGap(source, 0);
  parts.binary = IdentifierLength(parts.selector, 0) == 0;
  if (parts.binary) {
    parts.keywords.push_back(source.substr(at, parts.selector.size()));
    at += parts.selector.size();
  } else if (!parts.selector.ends_with(':')) {
    parts.keywords.push_back(NextToken(source, at));
    return parts;
  }
  // Each keyword (or the binary selector) is followed by its argument.
  do {
    if (!parts.binary) {
      parts.keywords.push_back(NextToken(source, at));
      NextToken(source, at);  // the keyword's colon
    }
    parts.arguments.push_back(NextToken(source, at));
    parts.defaults.push_back(DefaultComment(source, at));
  } while (!parts.binary && parts.keywords.size() < KeywordCount(parts.selector));
  return parts;
}

bool IsSubclassResponsibility(std::string_view source, const PatternParts& parts) {
  return IsStatement(source, parts.length, {"^", "self", "subclassResponsibility"}) ||
         IsStatement(source, parts.length, {"self", "subclassResponsibility"});
}

bool IsGetter(const TonelMethod& method, const std::string& variable) {
  return method.selector == variable &&
         IsStatement(method.source, variable.size(), {"^", variable});
}

bool IsSetter(const TonelMethod& method, const std::string& variable) {
  if (method.selector.size() != variable.size() + 1 || !method.selector.starts_with(variable))
    return false;
  const std::string_view source = method.source;
  std::size_t at = variable.size() + 1;
  const std::string_view argument = NextToken(source, at);
  return !argument.empty() && IdentifierLength(argument, 0) == argument.size() &&
         IsStatement(source, at, {variable, ":", "=", argument});
}

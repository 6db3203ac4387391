// Finding where a method's body ends in a class file.
#include "tonel/MethodBody.h"

#include <string_view>

#include "tonel/Lexis.h"

namespace {

// What stands at the start of a literal that is never closed.
const char* UnclosedLiteral(char c) {
  if (c == '$') return "$ without a character";
  return c == '\'' ? "the string is not closed" : "the comment is not closed";
}

}  // namespace

// Nesting is a count, not recursion, so that no depth of brackets can exhaust the stack.
std::size_t CloseBrackets(std::string_view text, std::size_t& at, std::size_t& depth) {
  while (at < text.size()) {
    switch (text[at]) {
      case '[':
        ++depth;
        ++at;
        break;
      case ']':
        if (--depth == 0) return at;
        ++at;
        break;
      case '\'':
      case '"':
      case '$': {
        // A character literal is the one character after "$", whatever it is: $' $[ $].
        const std::size_t after = AfterLiteral(text, at);
        if (after == std::string_view::npos) return std::string_view::npos;
        at = after;
        break;
      }
      default:
        ++at;
    }
  }
  return text.size();
}

std::size_t SkipMethodBody(TonelCursor& cursor, const std::string& method) {
  const std::string_view text = cursor.Text();
  const std::size_t open = cursor.Position() - 1;
  std::size_t at = open + 1;
  std::size_t depth = 1;
  const std::size_t close = CloseBrackets(text, at, depth);
  if (close == std::string_view::npos) cursor.FailAt(at, UnclosedLiteral(text[at]));
  if (close == text.size()) cursor.FailAt(open, "the [ of " + method + " is not closed");
  cursor.MoveTo(close + 1);
  return close;
}

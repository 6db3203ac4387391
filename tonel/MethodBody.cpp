// Finding where a method's body ends in a class file.
#include "tonel/MethodBody.h"

#include <string_view>

namespace {

// The position after the string or comment that starts at byte at. A doubled quote in
// a string needs no care: it ends one string and starts the next.
std::size_t AfterQuoted(const TonelCursor& cursor, std::size_t at, const char* what) {
  const std::size_t close = cursor.Text().find(cursor.Text()[at], at + 1);
  if (close == std::string_view::npos) {
    cursor.FailAt(at, std::string("the ") + what + " is not closed");
  }
  return close + 1;
}

}  // namespace

// Nesting is a count, not recursion, so that no depth of brackets can exhaust the stack.
std::size_t SkipMethodBody(TonelCursor& cursor, const std::string& method) {
  const std::string_view text = cursor.Text();
  const std::size_t open = cursor.Position() - 1;
  std::size_t depth = 1;
  std::size_t at = open + 1;
  while (at < text.size()) {
    switch (text[at]) {
      case '[':
        ++depth;
        ++at;
        break;
      case ']':
        if (--depth == 0) {
          cursor.MoveTo(at + 1);
          return at;
        }
        ++at;
        break;
      case '\'':
        at = AfterQuoted(cursor, at, "string");
        break;
      case '"':
        at = AfterQuoted(cursor, at, "comment");
        break;
      case '$':
        // A character literal is the one character after "$", whatever it is: $' $[ $].
        if (at + 1 == text.size()) cursor.FailAt(at, "$ without a character");
        at += 2;
        break;
      default:
        ++at;
    }
  }
  cursor.FailAt(open, "the [ of " + method + " is not closed");
}

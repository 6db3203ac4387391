// Comparing Smalltalk texts by their tokens, so that a formatter's layout is no change.
#include "tonel/Tokens.h"

#include "tonel/Lexis.h"

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Letters of any script count, so every byte of a UTF-8 sequence is one.
bool IsWordCharacter(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' ||
         static_cast<unsigned char>(c) >= 0x80;
}

bool IsBinaryCharacter(char c) {
  return std::string_view("+-*/\\<>=~@%|&?,!").find(c) != std::string_view::npos;
}

// Whether blanks between the two characters keep apart what would otherwise read as
// one token or as other tokens: "a b" and "ab", "- -" and "--", "1. 5" and "1.5",
// "# (" and "#(", "'a' 'b'" and "'a''b'", ": =" and ":=". It may say so where
// Smalltalk would not care; that only counts a layout as a change.
bool BlanksSeparate(char before, char after) {
  return (IsWordCharacter(before) && IsWordCharacter(after)) ||
         (IsBinaryCharacter(before) && IsBinaryCharacter(after)) || before == '#' ||
         (before == '.' && IsDigit(after)) || (IsDigit(before) && after == '.') ||
         (before == after && (before == '\'' || before == '"')) || (before == ':' && after == '=');
}

// The end of the token at byte at that compares exactly: a literal or a symbol such as
// #at:put:, whose blanks would make it other tokens; npos when a literal is not closed;
// at + 1 for any other character.
std::size_t ExactTokenEnd(std::string_view text, std::size_t at) {
  const std::size_t literal = AfterLiteral(text, at);
  if (literal != at) return literal;
  std::size_t end = at + 1;
  if (text[at] == '#') {
    while (end < text.size() && (IsWordCharacter(text[end]) || text[end] == ':')) ++end;
  }
  return end;
}

std::size_t AfterBlanks(std::string_view text, std::size_t at) {
  while (at < text.size() && IsBlank(text[at])) ++at;
  return at;
}

}  // namespace

bool SameTokens(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (true) {
    const std::size_t nextI = AfterBlanks(a, i);
    const std::size_t nextJ = AfterBlanks(b, j);
    if (nextI == a.size() || nextJ == b.size()) return nextI == a.size() && nextJ == b.size();
    if (a[nextI] != b[nextJ]) return false;
    // Both texts stand at the same character after the same one.
    if (i > 0 && (nextI > i) != (nextJ > j) && BlanksSeparate(a[i - 1], a[nextI])) return false;
    const std::size_t endI = ExactTokenEnd(a, nextI);
    const std::size_t endJ = ExactTokenEnd(b, nextJ);
    if (endI == std::string_view::npos || endJ == std::string_view::npos) {
      return a.substr(nextI) == b.substr(nextJ);
    }
    if (a.substr(nextI, endI - nextI) != b.substr(nextJ, endJ - nextJ)) return false;
    i = endI;
    j = endJ;
  }
}

// Comparing texts by their Smalltalk tokens, blanks between tokens aside.
#include "tonel/Tokens.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(TokensTest, IgnoresOnlyBlanksThatSeparateNothing) {
  struct Case {
    std::string a;
    std::string b;
    bool same;
  };
  const std::vector<Case> cases = {
      // A formatter's layout: blanks, tabs and line breaks around punctuation.
      {"^x", "^ x", true},
      {"x:=1", "x := 1", true},
      {"at:1", "at: 1", true},
      {"isbn\n\t^isbn", "isbn\n\n\t^ isbn", true},
      {"", " \n\t", true},
      // Blanks that keep tokens apart, or make other tokens, count.
      {"ab", "a b", false},
      {"größe1", "größe 1", false},
      {"a -- b", "a - - b", false},
      {"x := 1.5", "x := 1. 5", false},
      {"#(1)", "# (1)", false},
      {"'a' 'b'", "'a''b'", false},
      {"\"a\" \"b\"", "\"a\"\"b\"", false},
      {"x := 1", "x : = 1", false},
      // Literals compare byte for byte: strings, comments, characters, symbols.
      {"'a  b'", "'a b'", false},
      {"\"x  y\"", "\"x y\"", false},
      {"^ $ ", "^ $\t", false},
      {"#at:put:", "#at: put:", false},
      // One text longer.
      {"a", "a b", false},
      // An unclosed literal, as the apostrophe in prose: the rest compares exactly.
      {"we don't  stop", "we don't stop", false},
      {"x $", "x $", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SameTokens(c.a, c.b), c.same) << c.a << " | " << c.b;
    EXPECT_EQ(SameTokens(c.b, c.a), c.same) << c.b << " | " << c.a;
  }
}

}  // namespace

// Which default texts are Smalltalk expressions, and which collection class
// names are identifiers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "writer/SmalltalkSyntax.h"

namespace {

using Texts = std::vector<std::string>;

void ExpectTexts(bool (*check)(std::string_view), const Texts& accepted, const Texts& refused) {
  for (const std::string& text : accepted) EXPECT_TRUE(check(text)) << "[" << text << "]";
  for (const std::string& text : refused) EXPECT_FALSE(check(text)) << "[" << text << "]";
}

// Numbers: radix, fraction, exponent and scale parts count only when complete,
// and what follows an incomplete one is a unary message.
TEST(SmalltalkSyntaxTest, Numbers) {
  const Texts accepted = {"0",  "-1.5e3", "16r1F", "2r1010.1e-2", "3.14s2",
                          "1s", "2rz",    "1e-x",  "16rff"};
  const Texts refused = {"3.", "- 1", "--1", "\u0661\u0662", "1 2"};
  ExpectTexts(IsSmalltalkExpression, accepted, refused);
}

// Strings with doubled quotes, characters, symbols of every form, byte arrays
// of ASCII digits, and literal arrays with nested arrays, with or without "#".
TEST(SmalltalkSyntaxTest, Literals) {
  const Texts accepted = {"'it''s'",
                          "'say \"hi\"!'",
                          "$a",
                          "$\u017e",
                          "#sym",
                          "#at:put:",
                          "#at:put",
                          "#+",
                          "#'a b'",
                          "#[1 2 255]",
                          "#(1 $a 'x' #(2))",
                          "#(a b:c: + #d (1 (2)) #[3])"};
  const Texts refused = {"'open",   "'a' 'b'", "$\xff",    "$ ",      "# sym",   "#1",
                         "#[1, 2]", "#[-1]",   "#(1 #(2)", "#(1 2))", "#(1 . 2)"};
  ExpectTexts(IsSmalltalkExpression, accepted, refused);
}

// Unary, binary and keyword messages, parentheses, identifiers of any script;
// blanks at the ends or none between tokens. Assignments, cascades, blocks,
// braces, comments, statement ends and chunk ends are not expressions, nor
// are the texts other languages write.
TEST(SmalltalkSyntaxTest, Messages) {
  const Texts accepted = {
      "Date today",         "3 @ 4",         "3@4",     "3 - -4",           "Array new: 5", "(1/2)",
      "((1 + 2) * 3) sqrt", "a b: c d: e f", " \tnil ", "ma\u00f1ana size", "_x1"};
  const Texts refused = {"",         "1 +",       "at: 1",        "x at:",  "(1",
                         "1)",       "()",        "x := 3",       "a; b",   "[:x | x]",
                         "{1}",      "1 \"one\"", "1 . 2",        "a\nb",   "TelaJogador()",
                         "\"text\"", "100)}",     "new List<>()", "[1, 2]", "3 !"};
  ExpectTexts(IsSmalltalkExpression, accepted, refused);
}

// A collection class name is one identifier, blanks at the ends aside.
TEST(SmalltalkSyntaxTest, Identifiers) {
  ExpectTexts(IsSmalltalkIdentifier, {"Set", " Bag ", "_Set2", "Mno\u017eina"},
              {"2Set", "Set!", "List<Item>", "Set new", "", "at:"});
}

// Nesting is counted, not recursed into: texts far deeper than any stack.
TEST(SmalltalkSyntaxTest, DeepNesting) {
  const std::size_t depth = 1000000;
  const std::string open(depth, '(');
  std::string arrays;
  for (std::size_t i = 0; i < depth; ++i) arrays += "#(";
  EXPECT_TRUE(IsSmalltalkExpression(open + "1" + std::string(depth, ')')));
  EXPECT_FALSE(IsSmalltalkExpression(open + "1" + std::string(depth - 1, ')')));
  EXPECT_TRUE(IsSmalltalkExpression(arrays + std::string(depth, ')')));
}

}  // namespace

// Which default texts are Smalltalk expressions, and which collection class
// names are identifiers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "writer/SmalltalkSyntax.h"

namespace {

struct SyntaxCase {
  std::string text;
  bool expression;
};

void ExpectExpressions(const std::vector<SyntaxCase>& cases) {
  for (const SyntaxCase& c : cases) {
    EXPECT_EQ(IsSmalltalkExpression(c.text), c.expression) << "[" << c.text << "]";
  }
}

// Numbers: a sign, digits, and radix, fraction, exponent and scale parts that
// count only when complete; what follows an incomplete part is a unary message.
TEST(SmalltalkSyntaxTest, Numbers) {
  ExpectExpressions({{"0", true},
                     {"-1.5e3", true},
                     {"16r1F", true},
                     {"2r1010.1e-2", true},
                     {"1e-3", true},
                     {"3.14s2", true},
                     {"1s", true},
                     {"2rz", true},
                     {"1e", true},
                     {"1e-x", true},
                     {"16rff", true},
                     {"3.", false},
                     {"3.x", false},
                     {"- 1", false},
                     {"--1", false},
                     {"١٢", false},
                     {"1 2", false}});
}

// Strings with doubled quotes, characters (any one, a blank or a letter of
// another script), symbols of every form, and byte arrays of ASCII digits.
TEST(SmalltalkSyntaxTest, ScalarLiterals) {
  ExpectExpressions(
      {{"'it''s'", true}, {"'Hi!'", true},        {"'say \"hi\"'", true}, {"''", true},
       {"'open", false},  {"'a'''", true},        {"'a' 'b'", false},     {"$a", true},
       {"$ ", false},     {"$'", true},           {"$ž", true},           {"$\xff", false},
       {"$", false},      {"#sym", true},         {"#at:put:", true},     {"#at:put", true},
       {"#+", true},      {"#'two words'", true}, {"#", false},           {"# sym", false},
       {"#1", false},     {"#[1 2 255]", true},   {"#[]", true},          {"#[1, 2]", false},
       {"#[-1]", false},  {"#[1 2", false}});
}

// Literal arrays hold literals, identifiers, keywords, binary selectors and
// nested arrays with or without their "#".
TEST(SmalltalkSyntaxTest, LiteralArrays) {
  ExpectExpressions({{"#(1 $a 'x' #(2))", true},
                     {"#()", true},
                     {"#(foo at:put: + - #bar (1 2) #[3])", true},
                     {"#(true false nil -1)", true},
                     {"#(1 #(2 (3)))", true},
                     {"#(1 #(2)", false},
                     {"#(1 2))", false},
                     {"#(1 . 2)", false},
                     {"#(a; b)", false},
                     {"#({1})", false}});
}

// Messages of every kind, parentheses, identifiers of any script, and blanks
// at the ends or none between tokens.
TEST(SmalltalkSyntaxTest, Messages) {
  ExpectExpressions({{"Date today", true},
                     {"3 @ 4", true},
                     {"3@4", true},
                     {"3 -4", true},
                     {"3 - -4", true},
                     {"Array new: 5", true},
                     {"(1/2)", true},
                     {"((1 + 2) * 3) sqrt", true},
                     {"Dictionary new at: #a put: 1; yourself", false},
                     {"Smalltalk at: #Foo put: (Array with: 1 with: 2)", true},
                     {"OrderedCollection new", true},
                     {"  \tnil ", true},
                     {"False", true},
                     {"_x", true},
                     {"mañana", true},
                     {"заказ size", true},
                     {"x1 y2", true},
                     {"'abc' size", true},
                     {"1 max: 2 min: 3", true},
                     {"a b: c d: e f", true},
                     {"", false},
                     {" ", false},
                     {"1 +", false},
                     {"+ 1", false},
                     {"at: 1", false},
                     {"x at:", false},
                     {"(1", false},
                     {"1)", false},
                     {"()", false},
                     {"x := 3", false},
                     {"x:=3", false},
                     {"1 . 2", false},
                     {"^ 1", false},
                     {"a\nb", false}});
}

// Text in other languages' syntax, as diagrams write it.
TEST(SmalltalkSyntaxTest, OtherLanguages) {
  ExpectExpressions({{"TelaJogador()", false},
                     {"\"text\"", false},
                     {"100)}", false},
                     {"new List<>()", false},
                     {"[1, 2]", false},
                     {"3 !", false},
                     {"{NotBlank, Length(max = 100)}", false},
                     {"null", true},
                     {"true}", false},
                     {"[:x | x]", false},
                     {"1 \"one\"", false},
                     {"f(a, b)", false},
                     {"a.b", false},
                     {"`x`", false}});
}

// A collection class name is one identifier, blanks at the ends aside.
TEST(SmalltalkSyntaxTest, Identifiers) {
  const std::vector<std::pair<std::string, bool>> cases = {
      {"Set", true},   {" Bag ", true}, {"_Set2", true},       {"Množina", true},
      {"2Set", false}, {"Set!", false}, {"List<Item>", false}, {"Set new", false},
      {"", false},     {"  ", false},   {"at:", false},        {"Ŝ٣", false}};
  for (const auto& [text, identifier] : cases) {
    EXPECT_EQ(IsSmalltalkIdentifier(text), identifier) << "[" << text << "]";
  }
}

// Nesting is counted, not recursed into: texts far deeper than any stack.
TEST(SmalltalkSyntaxTest, DeepNesting) {
  const std::size_t depth = 1000000;
  EXPECT_TRUE(IsSmalltalkExpression(std::string(depth, '(') + "1" + std::string(depth, ')')));
  EXPECT_FALSE(IsSmalltalkExpression(std::string(depth, '(') + "1" + std::string(depth - 1, ')')));
  std::string array;
  for (std::size_t i = 0; i < depth; ++i) array += "#(";
  EXPECT_TRUE(IsSmalltalkExpression(array + std::string(depth, ')')));
}

}  // namespace

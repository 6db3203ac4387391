// Splitting a method's pattern from the rest of its source.
#include "tonel/Pattern.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "model/Error.h"
#include "tonel/TonelLayout.h"
#include "tonel/TonelReader.h"

namespace {

TEST(PatternTest, SplitsAtTheEndOfTheLastPatternToken) {
  struct Case {
    std::string source;
    std::string pattern;
    std::string selector;
  };
  const std::vector<Case> cases = {
      // Unary: the identifier alone; ":=" after it is an assignment, not a keyword.
      {"size", "size", "size"},
      {"size\n\t^ items size", "size", "size"},
      {"x1_y\t^1", "x1_y", "x1_y"},
      {"value:=3", "value", "value"},
      // Binary: the operator run, then its argument, a blank or a comment between.
      {"+ other\n\t^ x + other", "+ other", "+"},
      {"<=aNumber", "<=aNumber", "<="},
      {"-> value ^", "-> value", "->"},
      {", aCollection", ", aCollection", ","},
      {"\\\\ n", "\\\\ n", "\\\\"},
      {"~= \"other\" x y", "~= \"other\" x", "~="},
      {"! anObject", "! anObject", "!"},
      // Keywords with their arguments, across lines; the body's first word is no keyword.
      {"at: i put: v\n\t^ v", "at: i put: v", "at:put:"},
      {"at:i put:v", "at:i put:v", "at:put:"},
      {"x: a\n\ty: b\n\t^ a", "x: a\n\ty: b", "x:y:"},
      {"at: i\n\titems at: i", "at: i", "at:"},
      {"__init__Self: anObject datasource: anObject2 \"=''\"",
       "__init__Self: anObject datasource: anObject2", "__init__Self:datasource:"},
      // Comments between tokens are the pattern's, those after the last argument the rest's.
      {"DigitsInteger: anObject \"=3\" fraction: anObject2 \"=2\"\n  ^ self",
       "DigitsInteger: anObject \"=3\" fraction: anObject2", "DigitsInteger:fraction:"},
      {"a: x \"=[]\" b: y [", "a: x \"=[]\" b: y", "a:b:"},
      {"at: \"index\" i", "at: \"index\" i", "at:"},
      {"name \"the name\" b: c", "name", "name"},
      {"at: i \"not closed b: c", "at: i", "at:"},
      // Identifiers of any script; digits only after the first character.
      {"název: aString\n", "název: aString", "název:"},
      {"Заказ", "Заказ", "Заказ"},
      {"订单: x 项: y", "订单: x 项: y", "订单:项:"},
      {"größe2", "größe2", "größe2"},
  };
  for (const Case& c : cases) {
    const MethodPattern split = SplitPattern(c.source);
    EXPECT_EQ(c.source.substr(0, split.length), c.pattern) << c.source;
    EXPECT_EQ(split.selector, c.selector) << c.source;
  }
}

TEST(PatternTest, RefusesASourceWithoutPattern) {
  struct Case {
    std::string source;
    std::string message;
  };
  const std::vector<Case> cases = {
      // Nothing that starts a selector: blanks, comments, digits, marks, broken UTF-8.
      {"", "the method does not start with a selector"},
      {" size", "the method does not start with a selector"},
      {"\"c\" size", "the method does not start with a selector"},
      {"1abc", "the method does not start with a selector"},
      {"^ self", "the method does not start with a selector"},
      {"\xCC\x81x", "the method does not start with a selector"},
      {"\xC3\x28", "the method does not start with a selector"},
      // A selector part without its argument name.
      {"at:", "no argument name after at:"},
      {"at: 3", "no argument name after at:"},
      {"at: put: v", "no argument name after at:"},
      {"at: i put:", "no argument name after put:"},
      {"at: \"not closed", "no argument name after at:"},
      {"+", "no argument name after +"},
      {"- 1", "no argument name after -"},
  };
  for (const Case& c : cases) {
    try {
      SplitPattern(c.source);
      ADD_FAILURE() << "accepted: " << c.source;
    } catch (const GenericError& error) {
      EXPECT_EQ(error.Message(), c.message) << c.source;
    }
  }
}

// Each row's method is laid out in a class file and read back: a comment left in the
// pattern that Pharo misreads, a body that does not join the pattern again, or a
// selector lost on the way fails it.
TEST(PatternTest, MovesCommentsThatPharoMisreadsToTheBody) {
  struct Case {
    std::string source;
    std::string tonel;    // TonelMethodSource's text
    std::string pattern;  // the text's pattern, before the moved comments
    std::string selector;
  };
  const std::vector<Case> cases = {
      // A default with a quote, one with a bracket, both in order; blanks before go.
      {"__includesX: aBag \"=\"\"x\"\"\" count: anObject\n\t^ 1",
       "__includesX: aBag count: anObject\"=\"\"x\"\"\"\n\t^ 1",
       "__includesX: aBag count: anObject", "__includesX:count:"},
      {"at: i \"=[1]\" put: v\n\t^ v", "at: i put: v\"=[1]\"\n\t^ v", "at: i put: v", "at:put:"},
      {"a: x \"=\"\"1\"\"\" b: y \"=[2]\" c: z\n", "a: x b: y c: z\"=\"\"1\"\"\" \"=[2]\"\n",
       "a: x b: y c: z", "a:b:c:"},
      // A plain comment stays where it is; a moved one keeps the tokens apart.
      {"a: x \"=3\" b: y \"=]\"\"\" c: z", "a: x \"=3\" b: y c: z\"=]\"\"\"",
       "a: x \"=3\" b: y c: z", "a:b:c:"},
      {"a: x \"=[1]\"b: y", "a: x b: y\"=[1]\"", "a: x b: y", "a:b:"},
      // A comment after the pattern is the body's; a moved one does not touch it.
      {"a: x \"=[1]\" b: y\"doc\"", "a: x b: y\"=[1]\" \"doc\"", "a: x b: y", "a:b:"},
      // Nothing moves from a unary or a binary pattern.
      {"size \"=[1]\"\n\t^ 0", "size \"=[1]\"\n\t^ 0", "size", "size"},
      {"= other \"a\"\"b\"\n\t^ true", "= other \"a\"\"b\"\n\t^ true", "= other", "="},
  };
  for (const Case& c : cases) {
    const std::string tonel = TonelMethodSource(c.source).value_or(c.source);
    EXPECT_EQ(tonel, c.tonel) << c.source;
    EXPECT_EQ(TonelMethodSource(tonel), std::nullopt) << c.source;
    const MethodPattern split = SplitPattern(tonel);
    EXPECT_EQ(tonel.substr(0, split.length), c.pattern) << c.source;
    TonelClass cls;
    cls.name = "Document";
    cls.superclass = "Object";
    cls.methods = {{false, "accessing", split.selector, tonel}};
    const TonelClass read = ReadTonelClass(TonelClassText(cls));
    ASSERT_EQ(read.methods.size(), 1u) << c.source;
    EXPECT_EQ(read.methods[0].source, c.tonel) << c.source;
    EXPECT_EQ(read.methods[0].selector, c.selector) << c.source;
  }
}

}  // namespace

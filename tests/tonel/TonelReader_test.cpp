// Reading class files as this program and Pharo write them, and refusing broken ones.
#include "tonel/TonelReader.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "model/Error.h"

// Failures show the parsed structure, not its bytes.
void PrintTo(const TonelMethod& m, std::ostream* out) {
  *out << ::testing::PrintToString(std::tuple(m.classSide, m.category, m.selector, m.source));
}

void PrintTo(const TonelClass& c, std::ostream* out) {
  *out << ::testing::PrintToString(std::tuple(c.comment, c.kind, c.name, c.superclass, c.instVars,
                                              c.classVars, c.classInstVars, c.category, c.package,
                                              c.otherEntries, c.methods));
}

namespace {

// The example of the class file that the layout writes, with both quotes in the comment.
TEST(TonelReaderTest, ReadsTheLayoutsClassFile) {
  const std::string text =
      "\"\nPerson.  The comment should state \"\"why\"\", isn't it?\n\"\n"
      "Class {\n\t#name : 'Person',\n\t#superclass : 'Object',\n"
      "\t#instVars : [\n\t\t'name',\n\t\t'id'\n\t],\n"
      "\t#classVars : [\n\t\t'count'\n\t],\n"
      "\t#category : 'school',\n\t#package : 'school'\n}\n\n"
      "{ #category : 'accessing' }\nPerson class >> count [\n\n\t^count\n]\n\n"
      "{ #category : 'accessing' }\nPerson >> id: anInteger [\n\n\tid := anInteger\n]\n";
  TonelClass expected;
  expected.comment = "Person.  The comment should state \"why\", isn't it?";
  expected.name = "Person";
  expected.superclass = "Object";
  expected.instVars = {"name", "id"};
  expected.classVars = {"count"};
  expected.category = "school";
  expected.package = "school";
  expected.methods = {{true, "accessing", "count", "count\n\n\t^count"},
                      {false, "accessing", "id:", "id: anInteger\n\n\tid := anInteger"}};
  EXPECT_EQ(ReadTonelClass(text), expected);
}

// Each body stands in a method m, before a method z: a bracket taken for the end stops m
// early, one missed takes z in.
TEST(TonelReaderTest, FindsTheClosingBracketOfABody) {
  // From "[" to the line end before "]".
  const std::vector<std::string> bodies = {
      // Character literals stand for one character, whatever it is.
      "\n\t^ $]", "\n\t^ $[", "\n\t^ $' , 'x'", "\n\t^ $\" , 'x'", "\n\t^ $$",
      // Strings, quoted symbols and comments hide brackets and the other quote.
      "\n\t^ ']'", "\n\t^ 'it''s ]'", "\n\t^ #']'", "\n\t^ #'['", "\n\t\"]\" ^ 1",
      "\n\t\"it's [\" ^ 1", "\n\t^ 'say \"]\"'", "\n\t^ #($] $[ ']')",
      // Blocks and byte arrays nest.
      "\n\t^ #[1 2]", "\n\t^ [:x | x]", "\n\t^ [:x | [:y | [x + y]] value: 1]",
      // Only one line end before "]" is the layout's; none may be there.
      "\n\t^ 1\n", "", " ^ 1 "};
  for (const std::string& body : bodies) {
    const std::string text = "Class { #name : 'A' }\n\nA >> m [" + body +
                             "\n]\n\n{ #category : 'z' }\nA >> z [\n\t^ 1\n]\n";
    const TonelMethods expected = {{false, "", "m", "m" + body}, {false, "z", "z", "z\n\t^ 1"}};
    EXPECT_EQ(ReadTonelClass(text).methods, expected) << body;
  }
}

TEST(TonelReaderTest, JoinsPatternAndBody) {
  struct Case {
    std::string method;  // as the file has it
    std::string selector;
    std::string source;
  };
  const std::vector<Case> cases = {
      // What follows the pattern on its line stays after "[".
      {"A >> DigitsInteger: anObject \"=3\" fraction: anObject2 [ \"=2\"\n  ^ self\n]",
       "DigitsInteger:fraction:",
       "DigitsInteger: anObject \"=3\" fraction: anObject2 \"=2\"\n  ^ self"},
      {"A >> + other [\n\t^ other\n]", "+", "+ other\n\t^ other"},
      // A bracket in a comment between keywords is no body.
      {"A >> a: x \"=[]\" b: y [\n\t^ x\n]", "a:b:", "a: x \"=[]\" b: y\n\t^ x"},
      // Pharo takes all before "[" as the pattern: a comment there too.
      {"A >> foo: x \"c\"  [\n\t^ x\n]", "foo:", "foo: x \"c\"\n\t^ x"},
      {"A >>\tnáz  \n[\n]", "náz", "náz"},
      // Smalltalk compiles the joined source: a keyword after "[" goes on with the pattern.
      {"A >> at: i [ put: v\n\t^ v\n]", "at:put:", "at: i put: v\n\t^ v"},
  };
  for (const Case& c : cases) {
    const TonelClass read = ReadTonelClass("Class { #name : 'A' }\n\n" + c.method + "\n");
    const TonelMethods expected = {{false, "", c.selector, c.source}};
    EXPECT_EQ(read.methods, expected) << c.method;
  }
}

TEST(TonelReaderTest, ReadsStonTexts) {
  struct Case {
    std::string spelling;
    std::string text;
  };
  const std::vector<Case> cases = {
      // Symbols and strings are the same texts; so are JSON's double quotes.
      {"#Object", "Object"},
      {"#'as yet'", "as yet"},
      {"\"p\"", "p"},
      {"#a.b-c/d_é", "a.b-c/d_é"},
      // STON's escapes, \u with surrogate pairs too.
      {"'it\\'s a\\\\b\\/\\\"'", "it's a\\b/\""},
      {"'\\t\\n\\r\\b\\f'", "\t\n\r\b\f"},
      {"'\\u00e9\\u20AC\\ud83d\\ude00'", "é€\xF0\x9F\x98\x80"}};
  for (const Case& c : cases) {
    TonelClass expected;
    expected.name = "A";
    expected.category = c.text;
    EXPECT_EQ(ReadTonelClass("Class { #name : 'A', #category : " + c.spelling + " }"), expected)
        << c.spelling;
  }
}

// Lists of strings and symbols; the entries of Pharo 12 that this program does not write
// stay as spelled, in order, whatever they nest.
TEST(TonelReaderTest, ReadsListsAndKeepsOtherEntries) {
  TonelClass expected;
  expected.name = "A";
  expected.superclass = "Object";
  expected.instVars = {"a", "b", "c"};
  expected.classInstVars = {"x"};
  expected.otherEntries = {
      {"traits", "'TFoo + TBar'"},     {"classTraits", "'TFoo classTrait'"}, {"type", "#variable"},
      {"pools", "[\n\t\t'Pool'\n\t]"}, {"x", "Point [ 1, { #a : ']' } ]"},   {"y", "42"}};
  EXPECT_EQ(ReadTonelClass("Class { #name : 'A', #superclass : 'Object', #traits : 'TFoo + TBar',"
                           " #classTraits : 'TFoo classTrait', #instVars : [ 'a', #b, \"c\" ],"
                           " #classVars : [ ], #classInstVars : [#x], #type : #variable, #pools : "
                           "[\n\t\t'Pool'\n\t], #x : Point [ 1, { #a : ']' } ] , #y : 42 }"),
            expected);
}

// Pharo 13's own writing: symbols in the metadata, another order, a trait's class side,
// a comment without line ends. CRLF and CR line ends read as LF.
TEST(TonelReaderTest, ReadsPharoFormatting) {
  const std::string lf =
      "\"I am a trait\"\nTrait {\n\t#name : #TFoo,\n\t#package : 'P',\n\t#tag : 'T',\n"
      "\t#category : #'P-T'\n}\n\n{\n\t#category : #accessing,\n\t#author : 'x'\n}\n"
      "TFoo classSide >> new [\n\n\t^ self basicNew\n]\n\n{ #category : #'as yet' }\n"
      "TFoo >> at: i put: v [\n\n\t^ v\n]\n";
  TonelClass expected;
  expected.comment = "I am a trait";
  expected.kind = "Trait";
  expected.name = "TFoo";
  expected.category = "P-T";
  expected.package = "P";
  expected.otherEntries = {{"tag", "'T'"}};
  expected.methods = {{true, "accessing", "new", "new\n\n\t^ self basicNew"},
                      {false, "as yet", "at:put:", "at: i put: v\n\n\t^ v"}};
  EXPECT_EQ(ReadTonelClass(lf), expected);
  std::string crlf;
  std::string cr;
  for (char c : lf) {
    crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    cr += c == '\n' ? '\r' : c;
  }
  EXPECT_EQ(ReadTonelClass("\xEF\xBB\xBF" + crlf), expected);
  EXPECT_EQ(ReadTonelClass(cr), expected);
}

TEST(TonelReaderTest, ReadsAnExtension) {
  TonelClass expected;
  expected.kind = "Extension";
  expected.name = "Object";
  expected.methods = {{true, "*school", "fromUml", "fromUml\n\t^ self new"},
                      {false, "*school", "isPerson", "isPerson\n\t^ false"}};
  EXPECT_EQ(ReadTonelClass("Extension { #name : 'Object' }\n\n"
                           "{ #category : '*school' }\nObject class >> fromUml [\n\t^ self new\n]\n"
                           "{ #category : '*school' }\nObject >> isPerson [\n\t^ false\n]\n"),
            expected);
}

TEST(TonelReaderTest, RefusesBrokenFilesNamingTheLine) {
  struct Case {
    std::string text;
    std::string message;
  };
  const std::string a = "Class { #name : 'A' }\n";
  const std::vector<Case> cases = {
      // No definition.
      {"", "line 1: expected the definition: Class, Trait or Extension"},
      {"\"c\"\n\nObject subclass: #A",
       "line 3: expected the definition: Class, Trait or Extension"},
      {"\n\"not closed\n\nClass {", "line 2: the class comment is not closed"},
      {"Class { #superclass : 'Object' }", "line 1: the definition has no #name"},
      {"Class [ #name : 'A' ]", "line 1: expected {"},
      // A broken definition map.
      {"Class {\n\t#name : 'A'\n", "line 3: expected , or } after the value of #name"},
      {"Class {\n\t#name : 'A\n}", "line 2: the string is not closed"},
      {"Class {\n\t#name : 'A\\", "line 2: the string is not closed"},
      {"Class { #name : 'A',\n #x : 'a\\qb' }", "line 2: unknown escape \\q in a string"},
      {"Class { #name : 'A\\u12' }", "line 1: \\u needs four hexadecimal digits"},
      {"Class { #name : '\\ud800x' }", "line 1: \\ud800 has no low surrogate after it"},
      {"Class { #name : '\\udc00' }", "line 1: \\udc00 has no high surrogate before it"},
      {"Class { #name : 'A', #name : 'B' }", "line 1: #name is given twice"},
      {"Class { #name : 'A', name : 'B' }", "line 1: expected a #key"},
      {"Class { #name 'A' }", "line 1: expected : after #name"},
      {"Class { #name : 3 }", "line 1: expected a string or a symbol"},
      {"Class { #name : 'A', #instVars : 'a' }", "line 1: expected a list [ ... ]"},
      {"Class { #name : 'A', #instVars : [ 'a' 'b' ] }", "line 1: expected , or ] in the list"},
      {"Class { #name : #, }", "line 1: a # without a symbol"},
      {"Class { #name : 'A', #x : }", "line 1: expected a value"},
      {"Class { #name : 'A',\n #x : [\n [ } }", "line 3: expected ]"},
      {"Class { #name : 'A',\n #x : [\n [ ]", "line 2: the [ is not closed"},
      // Broken methods.
      {a + "\nA >> m [\n\t^ [ 1\n\nA >> z [\n]\n", "line 3: the [ of A >> m is not closed"},
      {a + "A >> m [\n\t^ 'a\n]\n", "line 3: the string is not closed"},
      {a + "A >> m [\n\t\"a ]\n", "line 3: the comment is not closed"},
      {a + "A >> m [\n\t^ #'a ]\n", "line 3: the string is not closed"},
      {a + "A >> m [\n\t^ $", "line 3: $ without a character"},
      {a + "A >> m [\n]\n]\n", "line 4: expected a method: A >> selector ["},
      {a + "{ #category : 'x' }\n", "line 3: expected a method: A >> selector ["},
      {a + "\"note\"\nA >> m [\n]\n", "line 2: expected a method: A >> selector ["},
      {a + "B >> m [\n]\n", "line 2: a method of B in the file of A"},
      {a + "A class m [\n]\n", "line 2: expected >> after A"},
      {a + "A >> 3 [\n]\n", "line 2: the method does not start with a selector"},
      {a + "A >> at: [\n]\n", "line 2: no argument name after at:"},
      {a + "A >> m ^ 1\n", "line 2: expected [ after A >> m"},
      {a + "A >> m: x \"\n[\n]\n", "line 2: the comment is not closed"},
      {a + "A class >> m [\n]\nA >> m [\n]\nA class >> m [\n]\n",
       "line 6: A class >> m is defined twice"},
  };
  for (const Case& c : cases) {
    try {
      ReadTonelClass(c.text);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const GenericError& error) {
      EXPECT_EQ(error.Message(), c.message) << c.text;
    }
  }
}

// Nesting costs no stack: a hundred thousand brackets are read or refused alike.
TEST(TonelReaderTest, DeepNestingIsNoDanger) {
  const std::string nested = std::string(100000, '[') + std::string(100000, ']');
  TonelClass expected;
  expected.name = "A";
  expected.otherEntries = {{"x", nested}};
  expected.methods = {{false, "", "m", "m" + nested}};
  EXPECT_EQ(ReadTonelClass("Class { #name : 'A', #x : " + nested + " }\nA >> m [" + nested + "]"),
            expected);
  const std::string open(100000, '[');
  for (const auto& [text, message] :
       {std::pair{"Class { #name : 'A', #x : " + open, "line 1: the [ is not closed"},
        std::pair{"Class { #name : 'A' }\nA >> m [" + open,
                  "line 2: the [ of A >> m is not closed"}}) {
    try {
      ReadTonelClass(text);
      ADD_FAILURE() << "accepted " << message;
    } catch (const GenericError& error) {
      EXPECT_EQ(error.Message(), message);
    }
  }
}

}  // namespace

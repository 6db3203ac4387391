// The Tonel layout: STON strings, the comment, the definition and the methods.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/Error.h"
#include "tonel/TonelLayout.h"
#include "tonel/TonelMerge.h"
#include "tonel/TonelReader.h"

namespace {

TonelClass Person() {
  TonelClass cls;
  cls.name = "Person";
  cls.superclass = "Object";
  cls.category = "school";
  cls.package = "school";
  return cls;
}

// The method as the file lays it out, for a class Person.
std::string MethodText(const TonelMethod& method) {
  TonelClass cls = Person();
  cls.methods = {method};
  const std::string text = TonelClassText(cls);
  return text.substr(text.find("}\n") + 2);
}

// Backslashes and quotes are escaped with a backslash; nothing else is.
TEST(TonelLayout, StonStrings) {
  const std::pair<std::string, std::string> kCases[] = {
      {"", "''"},
      {"school", "'school'"},
      {"it's", "'it\\'s'"},
      {"a\\b", "'a\\\\b'"},
      {"\"quoted\" \xC4\x8C", "'\"quoted\" \xC4\x8C'"},
      {"''", "'\\'\\''"},
      // A bare carriage return would read back as a line feed.
      {"a\rb", "'a\\rb'"}};
  for (const auto& [text, ston] : kCases) EXPECT_EQ(StonString(text), ston) << text;
}

// The comment stands between two lines of a double quote, each double quote
// in it doubled; single quotes stay single; an empty comment is left out.
TEST(TonelLayout, Comments) {
  const std::pair<std::string, std::string> kCases[] = {
      {"", ""},
      {"Person.", "\"\nPerson.\n\"\n"},
      {"say \"hi\"\n", "\"\nsay \"\"hi\"\"\n\n\"\n"},
      {"it's", "\"\nit's\n\"\n"},
      {"\"", "\"\n\"\"\n\"\n"}};
  for (const auto& [comment, text] : kCases) EXPECT_EQ(TonelComment(comment), text) << comment;
}

// The pattern stands before " [", whatever follows it on its line right
// after the bracket, the rest of the text below, then "]" on a line.
TEST(TonelLayout, MethodFirstLines) {
  struct Case {
    TonelMethod method;
    std::string text;
  };
  const std::vector<Case> kCases = {
      {{false, "accessing", "name", "name\n  ^name"},
       "\n{ #category : 'accessing' }\nPerson >> name [\n  ^name\n]\n"},
      {{true, "accessing", "count:", "count: anInteger\n  count := anInteger"},
       "\n{ #category : 'accessing' }\nPerson class >> count: anInteger [\n  count := "
       "anInteger\n]\n"},
      {{false, "public",
        "addItemItem:", "addItemItem: anItem \"=1\"\n  ^ self shouldBeImplemented"},
       "\n{ #category : 'public' }\nPerson >> addItemItem: anItem [ \"=1\"\n  ^ self "
       "shouldBeImplemented\n]\n"},
      {{false, "public", "atX:y:", "atX: anInteger \"=1\" y: aFloat\n  ^ self foo"},
       "\n{ #category : 'public' }\nPerson >> atX: anInteger \"=1\" y: aFloat [\n  ^ self "
       "foo\n]\n"},
      {{false, "arithmetic", "+", "+ other\n  ^ 1"},
       "\n{ #category : 'arithmetic' }\nPerson >> + other [\n  ^ 1\n]\n"},
      {{false, "it's", "go", "go"}, "\n{ #category : 'it\\'s' }\nPerson >> go [\n]\n"}};
  for (const Case& c : kCases) EXPECT_EQ(MethodText(c.method), c.text) << c.method.source;
  EXPECT_THROW(MethodText({false, "p", "", "(broken"}), GenericError);
}

// Entries one a line, empty variable lists left out, the last entry without a
// comma; class side first, then each side by selector.
TEST(TonelLayout, WholeFile) {
  TonelClass cls = Person();
  cls.comment = "Person.\n";
  cls.instVars = {"name", "id"};
  cls.classVars = {"count"};
  cls.methods = {{false, "accessing", "name", "name\n  ^name"},
                 {false, "accessing", "id", "id\n  ^id"},
                 {true, "accessing", "count", "count\n  ^count"}};
  EXPECT_EQ(TonelClassText(cls),
            "\"\nPerson.\n\n\"\n"
            "Class {\n"
            "\t#name : 'Person',\n"
            "\t#superclass : 'Object',\n"
            "\t#instVars : [\n"
            "\t\t'name',\n"
            "\t\t'id'\n"
            "\t],\n"
            "\t#classVars : [\n"
            "\t\t'count'\n"
            "\t],\n"
            "\t#category : 'school',\n"
            "\t#package : 'school'\n"
            "}\n"
            "\n{ #category : 'accessing' }\nPerson class >> count [\n  ^count\n]\n"
            "\n{ #category : 'accessing' }\nPerson >> id [\n  ^id\n]\n"
            "\n{ #category : 'accessing' }\nPerson >> name [\n  ^name\n]\n");
}

}  // namespace

namespace {

// What the layout writes, the reader reads back whole: comments with quotes,
// escapes in names, brackets in strings, comments and characters.
TEST(TonelLayout, ReadBackWhole) {
  TonelClass cls = Person();
  cls.comment = "Person says \"hi\" and 'bye'.\n\nConstraints\n\t\"#a inherits from: #B\"\n";
  cls.instVars = {"name", "id"};
  cls.classVars = {"count"};
  cls.category = cls.package = "it's \\ here";
  cls.methods = {{true, "accessing", "count", "count\n  ^count"},
                 {false, "public", "atX:y:", "atX: anInteger \"=1\" y: aFloat \"=[\"\n  ^ ']'"},
                 {false, "public", "go", "go"},
                 {false, "private", "run", "run\n  ^ [:x | $] ] value: #[1 2]"}};
  const TonelClass read = ReadTonelClass(TonelClassText(cls));
  EXPECT_TRUE(SameClass(read, cls)) << TonelClassText(cls);
}

}  // namespace

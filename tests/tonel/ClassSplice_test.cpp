// A merged class put into the file it was merged with: only what the merge changed moves.
#include "tonel/ClassSplice.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tonel/TonelReader.h"

namespace {

// A class file as Pharo 12 saves it: symbols, a tag, no #category, a method re-laid out.
const std::string kFile =
    "\"\nA loan.\n\"\n"
    "Class {\n\t#name : #Loan,\n\t#superclass : #Object,\n"
    "\t#instVars : [\n\t\t#due,\n\t\t'mine'\n\t],\n"
    "\t#package : 'lib',\n\t#tag : 'Core'\n}\n\n"
    "{ #category : #accessing }\nLoan >> due [\n\n\t^ due\n]\n\n"
    "{ #category : #public }\nLoan >> renew [\n\t^ self\n]\n";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  if (at == std::string::npos) return "(not found: " + from + ")";
  return text.replace(at, from.size(), to);
}

// Each row changes the class that the file holds as a merge would.
TEST(ClassSplice, ChangesOnlyWhatTheMergeChanged) {
  struct Case {
    const char* story;
    std::function<void(TonelClass&)> change;
    std::string expected;
  };
  const std::string renew = "{ #category : #public }\nLoan >> renew [\n\t^ self\n]";
  const std::vector<Case> kCases = {
      {"nothing changed: every byte stays", [](TonelClass&) {}, kFile},
      {"a new superclass keeps the file's symbols", [](TonelClass& c) { c.superclass = "Base"; },
       Replaced(kFile, "#Object", "#Base")},
      {"a new variable in the list's own layout, spelled like its first name",
       [](TonelClass& c) { c.instVars.push_back("fee"); },
       Replaced(kFile, "'mine'\n", "'mine',\n\t\t#fee\n")},
      {"an emptied list goes", [](TonelClass& c) { c.instVars.clear(); },
       Replaced(kFile, "\t#instVars : [\n\t\t#due,\n\t\t'mine'\n\t],\n", "")},
      {"a new list after the one that Pharo writes before it",
       [](TonelClass& c) { c.classVars = {"count"}; },
       Replaced(kFile, "\t],\n", "\t],\n\t#classVars : [\n\t\t'count'\n\t],\n")},
      {"a changed method is laid out afresh in its place",
       [](TonelClass& c) {
         TonelMethod renewed = c.methods[1];
         renewed.source = "renew\n\t^ 1";
         c.methods.Replace(1, renewed);
       },
       Replaced(kFile, "renew [\n\t^ self", "renew [\n\t^ 1")},
      {"a new method goes before the first that sorts after it",
       [](TonelClass& c) {
         c.methods.push_back({false, "accessing", "due:", "due: d\n\tdue := d"});
       },
       Replaced(kFile, renew,
                "{ #category : #accessing }\nLoan >> due: d [\n\tdue := d\n]\n\n" + renew)},
      {"the class side goes first",
       [](TonelClass& c) {
         c.methods.push_back({true, "instance creation", "new", "new\n\t^ 1"});
       },
       Replaced(kFile, "{ #category : #accessing }",
                "{ #category : #'instance creation' }\nLoan class >> new [\n\t^ 1\n]\n\n"
                "{ #category : #accessing }")},
      {"a removed method takes its gap with it", [](TonelClass& c) { c.methods = {c.methods[1]}; },
       Replaced(kFile, "{ #category : #accessing }\nLoan >> due [\n\n\t^ due\n]\n\n", "")},
      {"a changed comment", [](TonelClass& c) { c.comment = "A \"loan\"."; },
       Replaced(kFile, "A loan.", "A \"\"loan\"\".")},
      {"a removed comment", [](TonelClass& c) { c.comment.clear(); },
       Replaced(kFile, "\"\nA loan.\n\"\n", "")},
  };
  for (const Case& c : kCases) {
    const ClassFile file = ReadClassFile(kFile);
    TonelClass merged = file.cls;
    c.change(merged);
    EXPECT_EQ(SplicedClassText(file, merged, "lib"), c.expected) << c.story;
  }
}

// The package is the folder the file is in: #package names it and #category, where the
// file has them, is the package or the package, "-" and the tag.
TEST(ClassSplice, PackageEntriesFollowTheFolder) {
  struct Case {
    std::string entries, folder, expected;
  };
  const std::vector<Case> kCases = {
      {"#category : 'lib-Core', #package : 'lib', #tag : 'Core'", "lib",
       "#category : 'lib-Core', #package : 'lib', #tag : 'Core'"},
      {"#category : 'lib', #package : 'lib', #tag : #Core", "lib",
       "#category : 'lib-Core', #package : 'lib', #tag : #Core"},
      {"#package : #lib, #category : #lib", "circ", "#package : #circ, #category : #circ"},
      {"#category : 'lib'", "lib", "#category : 'lib'"},
      {"#tag : 'Core'", "circ", "#tag : 'Core'"},
      // Pharo 11 writes the tag in the category alone.
      {"#category : #'lib-Core'", "lib", "#category : #'lib-Core'"},
      {"#package : #lib, #category : #'lib-Core'", "circ",
       "#package : #circ, #category : #'circ-Core'"},
      // A category that is not the package's, as after a move by hand, is the user's.
      {"#category : #'lib-Core'", "circ", "#category : #'lib-Core'"},
  };
  for (const Case& c : kCases) {
    const ClassFile file = ReadClassFile("Class { #name : #A, " + c.entries + " }\n");
    EXPECT_EQ(SplicedClassText(file, file.cls, c.folder),
              "Class { #name : #A, " + c.expected + " }\n")
        << c.entries;
  }
}

// A method the merge changed or added: its protocol spelled as the file spells it.
TEST(ClassSplice, MethodProtocolsKeepTheFilesSpelling) {
  struct Case {
    std::string method;  // the file's, of A
    TonelMethod merged;  // the merge's m, or a new method n
    std::string expected;
  };
  const std::string header = "Class { #name : #A }\n\n";
  const std::vector<Case> kCases = {
      {"{ #category : #'initialize-release' }\nA >> m [ ^ 1 ]",
       {false, "initialize-release", "m", "m ^ 2"},
       "{ #category : #'initialize-release' }\nA >> m [ ^ 2\n]"},
      {"{\n\t#category : 'initialize-release',\n\t#author : 'x'\n}\nA >> m [ ^ 1 ]",
       {false, "initialize-release", "m", "m ^ 2"},
       "{\n\t#category : 'initialize-release',\n\t#author : 'x'\n}\nA >> m [ ^ 2\n]"},
      // Only the protocol changed: the method keeps its bytes.
      {"{ #category : #accessing }\nA >> m [ ^ 1 ]",
       {false, "initialize-release", "m", "m ^ 1 "},
       "{ #category : #'initialize-release' }\nA >> m [ ^ 1 ]"},
      {"{ #category : #'as yet' }\nA >> m [ ^ 1 ]",
       {false, "accessing", "m", "m ^ 1 "},
       "{ #category : #accessing }\nA >> m [ ^ 1 ]"},
      {"{ #category : 'accessing' }\nA >> m [ ^ 1 ]",
       {false, "as yet", "m", "m ^ 1 "},
       "{ #category : 'as yet' }\nA >> m [ ^ 1 ]"},
      // A new method takes the spelling of most of the file's, or else of its name.
      {"{ #category : 'x' }\nA >> m [ ^ 1 ]\n\n{ #category : 'x' }\nA >> o [ ^ 1 ]\n\n"
       "{ #category : #x }\nA >> p [ ^ 1 ]",
       {false, "accessing", "n", "n"},
       "{ #category : 'x' }\nA >> m [ ^ 1 ]\n\n{ #category : 'accessing' }\nA >> n [\n]\n\n"
       "{ #category : 'x' }\nA >> o [ ^ 1 ]\n\n{ #category : #x }\nA >> p [ ^ 1 ]"},
      {"", {false, "as yet", "n", "n"}, "{ #category : #'as yet' }\nA >> n [\n]"},
  };
  for (const Case& c : kCases) {
    const ClassFile file = ReadClassFile(header + c.method + "\n");
    TonelClass merged = file.cls;
    if (c.merged.selector == "m") {
      merged.methods.Replace(0, c.merged);
    } else {
      merged.methods.push_back(c.merged);
    }
    EXPECT_EQ(SplicedClassText(file, merged, "lib"), header + c.expected + "\n") << c.method;
  }
}

// What the merge writes takes the line end most of the file's lines have; every byte
// it leaves keeps its own.
TEST(ClassSplice, KeepsTheFilesLineEnds) {
  struct Case {
    const char* story;
    std::string file, expected;
  };
  auto lines = [](std::string lf, std::string_view end) {
    std::string text;
    for (const char c : lf) text += c == '\n' ? std::string(end) : std::string(1, c);
    return text;
  };
  const std::string before = "Class { #name : #A }\n\n{ #category : #x }\nA >> a [\n\t^ 1\n]\n";
  const std::string after =
      "Class { #name : #A }\n\n{ #category : #x }\nA >> a [\n\t^ 1\n]\n\n"
      "{ #category : #x }\nA >> b [\n\t^ 2\n]\n";
  const std::vector<Case> kCases = {
      {"CR LF", lines(before, "\r\n"), lines(after, "\r\n")},
      {"CR", lines(before, "\r"), lines(after, "\r")},
      {"mostly LF", "Class { #name : #A }\r\n\r{ #category : #x }\nA >> a [\n\t^ 1\n]\n",
       "Class { #name : #A }\r\n\r{ #category : #x }\nA >> a [\n\t^ 1\n]\n\n"
       "{ #category : #x }\nA >> b [\n\t^ 2\n]\n"},
      {"mostly CR LF", "Class { #name : #A }\r\n\n{ #category : #x }\r\nA >> a [\r\n\t^ 1\r]\r\n",
       "Class { #name : #A }\r\n\n{ #category : #x }\r\nA >> a [\r\n\t^ 1\r]\r\n\r\n"
       "{ #category : #x }\r\nA >> b [\r\n\t^ 2\r\n]\r\n"},
  };
  for (const Case& c : kCases) {
    const ClassFile file = ReadClassFile(c.file);
    TonelClass merged = file.cls;
    merged.methods.push_back({false, "x", "b", "b\n\t^ 2"});
    EXPECT_EQ(SplicedClassText(file, merged, "lib"), c.expected) << c.story;
  }
}

}  // namespace

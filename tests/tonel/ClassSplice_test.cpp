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
       Replaced(kFile, renew, "{ #category : 'public' }\nLoan >> renew [\n\t^ 1\n]")},
      {"a new method goes before the first that sorts after it",
       [](TonelClass& c) {
         c.methods.push_back({false, "accessing", "due:", "due: d\n\tdue := d"});
       },
       Replaced(kFile, renew,
                "{ #category : 'accessing' }\nLoan >> due: d [\n\tdue := d\n]\n\n" + renew)},
      {"the class side goes first",
       [](TonelClass& c) {
         c.methods.push_back({true, "instance creation", "new", "new\n\t^ 1"});
       },
       Replaced(kFile, "{ #category : #accessing }",
                "{ #category : 'instance creation' }\nLoan class >> new [\n\t^ 1\n]\n\n"
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
  };
  for (const Case& c : kCases) {
    const ClassFile file = ReadClassFile("Class { #name : #A, " + c.entries + " }\n");
    EXPECT_EQ(SplicedClassText(file, file.cls, c.folder),
              "Class { #name : #A, " + c.expected + " }\n")
        << c.entries;
  }
}

}  // namespace

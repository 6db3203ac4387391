// One class file of a Tonel package, as the layout writes it and the reader reads it.
#pragma once

#include <string>
#include <utility>
#include <vector>

// A method as Smalltalk holds it. Its source is the whole method text: the
// pattern (keywords and argument names), then the rest, with LF line ends and
// nothing escaped.
struct TonelMethod {
  bool classSide = false;
  std::string category;  // the protocol
  std::string selector;  // "at:put:", "+", "size"
  std::string source;

  bool operator==(const TonelMethod&) const = default;
};

// A class definition and its methods. Texts are held unescaped: the comment
// without its doubled quotes, every value without its STON escapes.
struct TonelClass {
  std::string comment;         // empty when the file has none
  std::string kind = "Class";  // the word before the definition: Class, Trait, Extension
  std::string name;
  std::string superclass;
  std::vector<std::string> instVars;
  std::vector<std::string> classVars;
  std::vector<std::string> classInstVars;
  std::string category;
  std::string package;
  // Definition entries this program does not write (#tag, #traits, ...), in
  // file order: the key without its "#", the value as the file spells it.
  std::vector<std::pair<std::string, std::string>> otherEntries;
  std::vector<TonelMethod> methods;  // in file order

  bool operator==(const TonelClass&) const = default;
};

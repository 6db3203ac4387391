// What the output says of one class, composed once and laid out by each output format.
#pragma once

#include <string>
#include <vector>

// One method: its side, its protocol and its whole text, from the selector
// line on, with LF line ends and nothing escaped for any format.
struct MethodText {
  bool classSide = false;
  std::string protocol;
  std::string source;
};

// A class that the output declares has a definition, a comment and methods. A
// class that it leaves out (a class Smalltalk has already) has a note that
// stands in its place; an interface has neither.
struct ClassText {
  bool declared = false;
  std::string note;
  std::string name;
  std::string superclass;
  std::vector<std::string> instanceVariables;
  std::vector<std::string> classVariables;
  // Class-side instance variables: class attributes named like an instance variable.
  std::vector<std::string> classInstanceVariables;
  // Whether it has a class-side initialize that filing in must run.
  bool initializesClass = false;
  std::string comment;  // every line ended, the last one included
  std::vector<MethodText> methods;
};

// The receiver of a class's text as it is composed, part by part: each output
// format lays the parts out as they come.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "writer/TextSink.h"

// The class's declaration: its name, superclass and variable lists.
struct ClassDefinition {
  std::string name;
  std::string superclass;
  std::vector<std::string> instanceVariables;
  std::vector<std::string> classVariables;
  // Class-side instance variables: class attributes named like an instance variable.
  std::vector<std::string> classInstanceVariables;
};

// A declared class arrives as its definition, then its comment, then its
// methods in order. The comment's and each method's text (LF line ends,
// nothing escaped for any format) come through Take in pieces after
// BeginComment or BeginMethod, and End closes the part. A class the output
// leaves out arrives as a note, or not at all.
class ClassLayout : public TextSink {
 public:
  virtual void Note(std::string_view note) = 0;
  virtual void Definition(const ClassDefinition& definition) = 0;
  virtual void BeginComment() = 0;
  // A method on the given side, in the protocol; its text starts at its selector line.
  virtual void BeginMethod(bool classSide, const std::string& protocol) = 0;
  virtual void End() = 0;

 protected:
  ~ClassLayout() = default;
};

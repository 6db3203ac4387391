// What the output says of one class, collected whole for a layout that needs
// the whole class at once.
#pragma once

#include <string>
#include <vector>

#include "writer/ClassLayout.h"

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

// Collects the parts of one class into a class text.
class ClassTextCollector final : public ClassLayout {
 public:
  explicit ClassTextCollector(ClassText& text) : text_(text) {}
  void Note(std::string_view note) override { text_.note = note; }
  void Definition(const ClassDefinition& definition) override;
  void BeginComment() override { part_ = &text_.comment; }
  void BeginMethod(bool classSide, const std::string& protocol) override;
  void Take(std::string_view text) override { part_->append(text); }
  void End() override { part_ = nullptr; }

 private:
  ClassText& text_;
  std::string* part_ = nullptr;
};

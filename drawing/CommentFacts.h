// What the class comment that plimko writes says about a class's variables and relations.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// A variable's line under "Instance Variables" or "Class Variables":
// "  name\t Type [mult] = default {properties} Description...".
struct VariableFact {
  std::string name;
  std::string type;          // the class name; empty for a variable of no type
  std::string multiplicity;  // between the brackets ("*", "0..1"); empty when none is shown
  bool hasDefault = false;
  std::string defaultText;  // as the comment shows it: its single quotes made double
  std::string properties;   // "{...}" as the comment shows it; empty when none
};

// A link variable's line: "  name\tClass[mult] constraint: [mult] of this side of link...".
struct LinkFact {
  std::string name;
  std::string target;
  std::string headMultiplicity;  // between the brackets; empty when none is shown
  std::string tailMultiplicity;  // empty for "single instance of"
};

// A line under "Constraints": "\t\"#name kind from: #A to: #B\"".
struct ConstraintFact {
  std::string name;
  std::string kind;  // associates, navigates, aggregates or composes
  std::string from;
  std::string to;

  bool operator==(const ConstraintFact&) const = default;
};

struct CommentFacts {
  std::vector<VariableFact> instanceVariables;
  std::vector<LinkFact> links;
  std::vector<VariableFact> classVariables;
  // Of the relations that are no link of this class, in the comment's order.
  std::vector<ConstraintFact> constraints;
  // "\t\"#A inherits also from: #B\"": B, in order.
  std::vector<std::string> furtherSuperclasses;
};

// The facts of the lines in plimko's form; every other line of the comment (the user's
// own text, a line changed by hand) says nothing.
CommentFacts ReadCommentFacts(std::string_view comment);

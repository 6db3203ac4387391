// What plimko's class comments and initialize statements say, read back line by line.
#include "drawing/CommentFacts.h"

#include <gtest/gtest.h>

#include <string>

#include "drawing/Statements.h"

namespace {

std::string Described(const CommentFacts& facts) {
  std::string text;
  const auto variables = [&text](const char* side, const std::vector<VariableFact>& facts) {
    for (const VariableFact& fact : facts) {
      text += std::string(side) + " " + fact.name + " type " + fact.type + " [" +
              fact.multiplicity + "]" + (fact.hasDefault ? " = " + fact.defaultText : "") +
              " props " + fact.properties + "\n";
    }
  };
  variables("instance", facts.instanceVariables);
  for (const LinkFact& link : facts.links) {
    text += "link " + link.name + " to " + link.target + " [" + link.headMultiplicity + "] from [" +
            link.tailMultiplicity + "]\n";
  }
  variables("class", facts.classVariables);
  for (const ConstraintFact& line : facts.constraints)
    text += line.name + " " + line.kind + " " + line.from + " " + line.to + "\n";
  for (const std::string& superclass : facts.furtherSuperclasses)
    text += "also " + superclass + "\n";
  return text;
}

std::string Described(const std::map<std::string, Statement>& statements) {
  std::string text;
  for (const auto& [name, statement] : statements) {
    text += name + " := " + statement.value +
            (statement.commented ? " comment " + statement.comment : "") + "\n";
  }
  return text;
}

// Every form of line the writer gives a variable, a link and a relation, as the class
// file's comment holds it (its doubled quotes single); the lines around them, and lines
// the user changed, say nothing. A link's own constraint line is the link's.
TEST(CommentFacts, EveryLineFormOfPlimkosComment) {
  const std::string comment =
      "Order.  The comment should state the purpose of the class.\n"
      "\n"
      "Instance Variables\n"
      "  total\t Integer  = 0 Description...\n"
      "  name\t String [0..1] = \"none\" {NotBlank, Length(max = 9)} Description...\n"
      "  tags\t Set [*] Description...\n"
      "  note\t Description...\n"
      "  size\t = f(a {b}) {id} Description...\n"
      "  flags\t Integer  {Digits(integer=3, + other: Line {x} bg=green Description...\n"
      "  customer\tCustomer[0..1] constraint: single instance of this side of link. "
      "Description...\n"
      "  lines\tLine[*] constraint: [1..*] of this side of link. Description...\n"
      "  a line the user wrote\n"
      "  changed\t Integer Description...  by hand\n"
      "\n"
      "Class Variables\n"
      "  Count\t Integer  = 0 Description...\n"
      "\n"
      "Constraints\n"
      "\t\"#customer navigates from: #Order to: #Customer\"\n"
      "\t\"#lines navigates from: #Order to: #Line\"\n"
      "\t\"#store aggregates from: #Store to: #Order\"\n"
      "\t\"#Order inherits also from: #Printable\"\n";
  EXPECT_EQ(Described(ReadCommentFacts(comment)),
            "instance total type Integer [] = 0 props \n"
            "instance name type String [0..1] = \"none\" props {NotBlank, Length(max = 9)}\n"
            "instance tags type Set [*] props \n"
            "instance note type  [] props \n"
            "instance size type  [] = f(a {b}) props {id}\n"
            "instance flags type Integer [] props {Digits(integer=3, + other: Line {x} "
            "bg=green\n"
            "link customer to Customer [0..1] from []\n"
            "link lines to Line [*] from [1..*]\n"
            "class Count type Integer [] = 0 props \n"
            "store aggregates Store Order\n"
            "also Printable\n");
}

// The statements of an initialize method, a line each: the value as written, and its
// comment with its doubled quotes single. A value of many starts with a comment of its
// own; a quote in a string or a character literal starts no comment.
TEST(CommentFacts, InitializeStatements) {
  const std::string method =
      "initialize\n"
      "  \"Initialize a newly created instance. This method must answer the receiver.\"\n"
      "  super initialize.\n"
      "  total := 0 \"Integer \".\n"
      "  name := nil \"optional String [0..1] = \"\"none\"\"\".\n"
      "  items := \"default collection type\" OrderedCollection new \"Item [*]\".\n"
      "  label := 'it''s \"quoted\"' \"String \".\n"
      "\tquote := $\" \"Character \".\n"
      "  size := 3.\n"
      "  total := 1.\n"
      "  broken := 1 \"a\" 2.\n"
      "  ^self";
  EXPECT_EQ(Described(ReadStatements(method)),
            "items := \"default collection type\" OrderedCollection new comment Item [*]\n"
            "label := 'it''s \"quoted\"' comment String \n"
            "name := nil comment optional String [0..1] = \"none\"\n"
            "quote := $\" comment Character \n"
            "size := 3\n"
            "total := 0 comment Integer \n");
}

}  // namespace

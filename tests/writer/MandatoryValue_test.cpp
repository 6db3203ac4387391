// The values of mandatory variables: what Smalltalk can create, and nil where
// creating would come back to the class.
#include <string>
#include <vector>

#include "WriterTestSupport.h"
#include "writer/MandatoryValue.h"

namespace {

using MandatoryValueTest = WriterTest;

struct ValueCase {
  PClassType cls;
  std::string type;
  std::string value;
};

void ExpectValues(const PElemTable& classes, const std::vector<ValueCase>& cases) {
  for (const ValueCase& c : cases) {
    EXPECT_EQ(MandatoryValue(c.cls, c.type, classes), c.value)
        << c.cls->GetName() << " holds " << c.type;
  }
}

PClassMember Mandatory(const std::string& name, const std::string& type,
                       const std::string& defaultValue = "") {
  return Attr(name, type, "+", false, Mult({{"1", "1"}}), defaultValue);
}

// A class the file declares comes first, even under a value type's name; then
// the value types' literals, Pharo's classes, and nil for a class nobody
// defines, or that the file names but does not declare.
TEST_F(MandatoryValueTest, DeclaredValueAndPharoTypes) {
  Diagram diagram;
  PClassType cls = diagram.AddClass("C");
  diagram.AddClass("Real");
  diagram.AddClass("Customer");
  diagram.AddClass("Able")->SetStereotype("interface");
  diagram.AddClass("Bag");
  diagram.AddClass("Point");
  diagram.Connect();
  ExpectValues(diagram.classes, {{cls, "Number", "0"},
                                 {cls, "Integer", "0"},
                                 {cls, "SmallInteger", "0"},
                                 {cls, "LargePositiveInteger", "0"},
                                 {cls, "LargeNegativeInteger", "0"},
                                 {cls, "Int", "0"},
                                 {cls, "Long", "0"},
                                 {cls, "Short", "0"},
                                 {cls, "Byte", "0"},
                                 {cls, "Float", "0.0"},
                                 {cls, "Double", "0.0"},
                                 {cls, "Decimal", "0.0"},
                                 {cls, "Boolean", "false"},
                                 {cls, "Bool", "false"},
                                 {cls, "Character", "Character space"},
                                 {cls, "Char", "Character space"},
                                 {cls, "Symbol", "#''"},
                                 {cls, "Real", "Real new"},
                                 {cls, "Customer", "Customer new"},
                                 {cls, "String", "String new"},
                                 {cls, "Object", "Object new"},
                                 {cls, "Bag", "Bag new"},
                                 {cls, "Point", "Point new"},
                                 {cls, "Datetime", "nil"},
                                 {cls, "Able", "nil"},
                                 {cls, "Integer_", "nil"}});
}

// Creating a class that comes back to it never ends: a class holding itself,
// two classes holding each other, through a superclass, or through a second
// class of the same name. Only variables that stay mandatory count: not an
// optional one, nor a default written as code, but a default in another
// syntax does; link variables count like attributes, class variables not.
TEST_F(MandatoryValueTest, CreationThatComesBack) {
  Diagram diagram;
  PClassType self = diagram.AddClass("Self", {Mandatory("me", "Self")});
  PClassType b = diagram.AddClass("B", {Mandatory("c", "C")});
  PClassType c = diagram.AddClass("C", {Mandatory("b", "b")});
  PClassType sub = diagram.AddClass("Sub");
  PClassType super = diagram.AddClass("Super", {Mandatory("sub", "Sub")});
  diagram.Relate(sub, super, 2, 2);
  PClassType f = diagram.AddClass("F", {Mandatory("g", "G")});
  PClassType g = diagram.AddClass("G", {Mandatory("h", "H"), Attr("f", "F")});
  diagram.AddClass("H", {Mandatory("f", "F", "F new")});
  PClassType m = diagram.AddClass("M", {Mandatory("n", "N")});
  diagram.AddClass("N", {Mandatory("m", "M", "M()")});
  PClassType p = diagram.AddClass("P");
  diagram.AddClass("Q", {Mandatory("p", "P")});
  diagram.AddClass("P", {Mandatory("q", "Q")});
  PClassType r = diagram.AddClass("R");
  PClassType s = diagram.AddClass("S", {Mandatory("r", "R")});
  diagram.Relate(r, s, 1, 2)->SetMult2(Mult({{"1", "1"}}));
  PClassType t = diagram.AddClass("T", {Mandatory("u", "U")});
  diagram.AddClass("U", {Attr("t", "T", "+", true, Mult({{"1", "1"}}))});
  diagram.Connect();
  ExpectValues(diagram.classes, {{self, "Self", "nil"},
                                 {b, "C", "nil"},
                                 {c, "B", "nil"},
                                 {super, "Sub", "nil"},
                                 {sub, "Super", "nil"},
                                 {f, "G", "G new"},
                                 {g, "H", "H new"},
                                 {g, "F", "F new"},
                                 {m, "N", "nil"},
                                 {p, "Q", "nil"},
                                 {r, "S", "nil"},
                                 {s, "R", "nil"},
                                 {t, "U", "U new"}});
}

}  // namespace

// The chain of superclasses whose variables a class inherits.
#include <set>
#include <string>
#include <vector>

#include "WriterTestSupport.h"
#include "writer/Hierarchy.h"

namespace {

using HierarchyTest = WriterTest;

struct InheritanceCase {
  PClassType cls;
  std::set<std::string> inherited;
};

void ExpectInherited(const Diagram& diagram, const std::vector<InheritanceCase>& cases) {
  for (const InheritanceCase& c : cases) {
    EXPECT_EQ(InheritedInstanceVariables(c.cls, diagram.classes), c.inherited) << c.cls->GetName();
  }
}

// In a cycle every other class of the cycle is a superclass of each; a class
// below the cycle inherits from all of them.
TEST_F(HierarchyTest, CycleOfSuperclasses) {
  Diagram diagram;
  PClassType a = diagram.AddClass("A", {Attr("x", ""), Attr("y", "")});
  PClassType b = diagram.AddClass("B", {Attr("x", "")});
  PClassType c = diagram.AddClass("C", {Attr("z", ""), Attr("y", "")});
  PClassType d = diagram.AddClass("D", {Attr("z", ""), Attr("w", "")});
  diagram.Relate(a, b, 2, 2);
  diagram.Relate(b, c, 2, 2);
  diagram.Relate(c, a, 2, 2);
  diagram.Relate(d, a, 2, 2);
  diagram.Connect();
  ExpectInherited(diagram, {{a, {"x", "y"}}, {b, {"x"}}, {c, {"y"}}, {d, {"z"}}});
}

// The chain ends at a superclass that is not declared (an interface, a
// collection, a class of the system): it declares nothing, and what lies
// beyond it is not the class's own chain. Names that cannot be made are left
// out without failing.
TEST_F(HierarchyTest, ChainEndsAtUndeclaredSuperclass) {
  Diagram diagram;
  PClassType top = diagram.AddClass("Top", {Attr("x", ""), Attr("y", "")});
  PClassType interface = diagram.AddClass("Able", {Attr("x", "")});
  interface->SetStereotype("interface");
  PClassType viaInterface = diagram.AddClass("E", {Attr("x", ""), Attr("y", "")});
  PClassType bag = diagram.AddClass("Bag", {Attr("x", "")});
  PClassType viaCollection = diagram.AddClass("F", {Attr("x", "")});
  PClassType point = diagram.AddClass("point", {Attr("x", "")});
  PClassType viaSystem = diagram.AddClass("G", {Attr("x", "")});
  PClassType unnamed = diagram.AddClass("K", {Attr(" ", ""), Attr("x", "")});
  PClassType belowUnnamed = diagram.AddClass("H", {Attr(" ", ""), Attr("x", "")});
  diagram.Relate(interface, top, 2, 2);
  diagram.Relate(viaInterface, interface, 2, 2);
  diagram.Relate(bag, top, 2, 2);
  diagram.Relate(viaCollection, bag, 2, 2);
  diagram.Relate(viaSystem, point, 2, 2);
  diagram.Relate(belowUnnamed, unnamed, 2, 2);
  diagram.Connect();
  ExpectInherited(
      diagram, {{viaInterface, {}}, {viaCollection, {}}, {viaSystem, {}}, {belowUnnamed, {"x"}}});
}

}  // namespace

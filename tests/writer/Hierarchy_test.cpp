// The chain of superclasses whose variables a class inherits.
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "WriterTestSupport.h"
#include "model/ElemList.h"
#include "writer/Hierarchy.h"

namespace {

using HierarchyTest = WriterTest;

struct InheritanceCase {
  PClassType cls;
  std::set<std::string> inherited;
};

void ExpectInherited(const Diagram& diagram, const std::vector<InheritanceCase>& cases) {
  const Hierarchy hierarchy(diagram.classes);
  for (const InheritanceCase& c : cases) {
    EXPECT_EQ(hierarchy.InheritedInstanceVariables(c.cls), c.inherited) << c.cls->GetName();
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

// The places in the table of the classes, as digits.
std::string Places(const PElemTable& classes) {
  std::string places;
  for (const PElement& cls : ElementsOf(classes)) places += ToClassType(cls)->GetX() / 1000 + '0';
  return places;
}

// A class "A" (place 0) with superclasses of the names given, at places 1 on.
// One of the class's own Smalltalk name is passed over: the first of the
// others is the one the class is declared under, and those of its name that
// are not first stay among the further ones. One without a usable name is
// kept, to fail where it is written.
TEST_F(HierarchyTest, SuperclassOfOwnNamePassedOver) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"a"}, ""},
      {{"B"}, "1"},
      {{"A", "B"}, "2"},
      {{"B", "A"}, "12"},
      {{"A", "A", "B"}, "32"},
      {{"A", "B", "A", "C"}, "234"},
      {{"A", "A"}, ""},
      {{" ", "A"}, "12"}};
  for (const auto& [names, places] : cases) {
    Diagram diagram;
    PClassType cls = diagram.AddClass("A");
    for (const std::string& name : names) diagram.Relate(cls, diagram.AddClass(name), 2, 2);
    diagram.Connect();
    const Hierarchy hierarchy(diagram.classes);
    EXPECT_EQ(Places(hierarchy.Superclasses(cls)), places) << names.size();
    PClassType written = hierarchy.WrittenSuperclass(cls);
    EXPECT_EQ(written ? Places(Table({written})) : "", places.substr(0, 1)) << names.size();
  }
}

// A class name that the class or an ancestor has as an instance variable is a
// class-side instance variable; one that an ancestor's class side has already
// is inherited there. A class name of an ancestor that is no instance variable
// name stays a class variable, and is none of these.
TEST_F(HierarchyTest, ClassSideInstanceVariables) {
  Diagram diagram;
  const auto classAttr = [](const std::string& name) { return Attr(name, "", "+", true); };
  PClassType a = diagram.AddClass("A", {Attr("color", ""), classAttr("color")});
  PClassType b = diagram.AddClass("B", {classAttr("color"), classAttr("size")});
  PClassType c = diagram.AddClass("C", {Attr("size", ""), classAttr("size")});
  PClassType d = diagram.AddClass("D", {classAttr("color"), classAttr("size")});
  diagram.Relate(b, a, 2, 2);
  diagram.Relate(c, b, 2, 2);
  diagram.Relate(d, c, 2, 2);
  diagram.Connect();
  using Names = std::set<std::string>;
  const std::vector<std::tuple<PClassType, Names, Names>> cases = {
      {a, {}, {}},
      {b, {"color"}, {"color"}},
      {c, {}, {}},
      {d, {"color", "size"}, {"color", "size"}},
  };
  const Hierarchy hierarchy(diagram.classes);
  for (const auto& [cls, namesOfInherited, inheritedClassSide] : cases) {
    EXPECT_EQ(hierarchy.ClassNamesOfInheritedInstanceVariables(cls), namesOfInherited)
        << cls->GetName();
    EXPECT_EQ(hierarchy.InheritedClassInstanceVariables(cls), inheritedClassSide) << cls->GetName();
  }
}

}  // namespace

// ClassOrder against the pass-by-pass order it replaces, which rescans the
// remaining classes and decides readiness from the Written flags.
#include "writer/ClassOrder.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "WriterTestSupport.h"
#include "model/ElemList.h"
#include "writer/Hierarchy.h"
#include "writer/Predefined.h"
#include "writer/Relations.h"

namespace {

bool LeadsToWaitingClass(const PElement& element, const PElement& cls) {
  PRelType relation = ToRelType(element);
  PClassType to = relation->GetClass2();
  return IsClassAt(relation->GetClass1(), cls) && to && !IsClassAt(to, cls) && !to->GetWritten();
}

// A class defined elsewhere is ready from the start.
bool IsReady(const PElement& cls) {
  return IsExternal(ToClassType(cls)) ||
         ToClassType(cls)->GetRelations()->FilterWithElem(cls, LeadsToWaitingClass)->IsEmpty();
}

bool IsNotWritten(const PElement& cls) {
  return !ToClassType(cls)->GetWritten();
}

void Write(const PElement& cls, std::vector<PElement>& order) {
  order.push_back(cls);
  ToClassType(cls)->SetWritten(true);
}

// The class and, right after it, each class that waits for it, with those that
// wait for that one in turn.
void WriteWithWaiting(const PElement& cls, const std::vector<PElement>& waiting,
                      const Hierarchy& hierarchy, std::vector<PElement>& order) {
  Write(cls, order);
  for (const PElement& other : waiting) {
    PClassType superclass = hierarchy.WrittenSuperclass(ToClassType(other));
    if (!ToClassType(other)->GetWritten() && superclass && IsClassAt(superclass, cls)) {
      WriteWithWaiting(other, waiting, hierarchy, order);
    }
  }
}

// The passes as the writer made them, with SetWritten standing in for writing;
// then the classes left in table order, except that each waits for a written
// superclass that is left and comes later.
std::vector<PElement> ReferenceOrder(const Hierarchy& hierarchy) {
  std::vector<PElement> order;
  PElemTable remaining = hierarchy.Classes();
  for (PElemTable ready = remaining->Filter(IsReady); !ready->IsEmpty();
       ready = remaining->Filter(IsReady)) {
    for (const PElement& cls : ElementsOf(ready)) Write(cls, order);
    remaining = remaining->Filter(IsNotWritten);
  }
  std::vector<PElement> waiting;
  for (const PElement& cls : ElementsOf(remaining)) {
    if (ToClassType(cls)->GetWritten()) continue;
    PClassType superclass = hierarchy.WrittenSuperclass(ToClassType(cls));
    const ElemList left = ElementsOf(remaining);
    const bool superclassLeft = superclass && !superclass->GetWritten() &&
                                std::find(left.begin(), left.end(), superclass) != left.end();
    if (superclassLeft) {
      waiting.push_back(cls);
    } else {
      WriteWithWaiting(cls, waiting, hierarchy, order);
    }
  }
  for (const PElement& cls : ElementsOf(remaining)) {
    if (!ToClassType(cls)->GetWritten()) order.push_back(cls);
  }
  return order;
}

// The new order first, since the reference sets the Written flags.
void ExpectSameOrder(const PElemTable& classes, const std::string& what) {
  const Hierarchy hierarchy(classes);
  std::vector<PElement> order = ClassOrder(hierarchy);
  EXPECT_EQ(order, ReferenceOrder(hierarchy)) << what;
}

// Random graphs of up to a dozen classes: multi-edges, self relations, loose
// ends, cycles, shared boxes, every head size and direction, repeated names,
// external classes.
TEST(ClassOrderTest, AgreesOnRandomDiagrams) {
  std::mt19937 random(7);
  auto below = [&](int bound) { return static_cast<int>(random() % static_cast<unsigned>(bound)); };
  for (int round = 0; round < 1500; ++round) {
    Diagram diagram;
    std::vector<PClassType> classes;
    int count = 1 + below(12);
    for (int i = 0; i < count; ++i) {
      classes.push_back(diagram.AddClass(std::string(1, "KLMN"[i % 4])));
      if (below(8) == 0) classes.back()->SetStereotype("external");
    }
    auto anyClass = [&]() { return below(10) == 0 ? PClassType() : classes[below(count)]; };
    for (int i = below(25); i > 0; --i) diagram.Relate(anyClass(), anyClass(), below(3), below(4));
    // A class moved onto another's box: relations then touch three classes or
    // more, and some class holds a relation between two others.
    if (below(3) == 0) classes[below(count)]->SetX(classes[below(count)]->GetX());
    diagram.Connect();
    ExpectSameOrder(diagram.classes, "round " + std::to_string(round));
  }
}

// A chain against table order (one pass per class), a ring, chains into a hub,
// a chain of subclasses in a cycle, each waiting for its superclass, and a
// class that depends on one outside the table handed over.
TEST(ClassOrderTest, AgreesOnLargeShapes) {
  const int n = 200;
  for (int shape = 0; shape < 4; ++shape) {
    Diagram diagram;
    std::vector<PClassType> c;
    for (int i = 0; i < n; ++i)
      c.push_back(diagram.AddClass(std::string("K").append(std::to_string(i))));
    for (int i = 0; i + 1 < n; ++i) {
      PClassType to = shape == 0 ? c[i + 1] : shape == 1 ? c[(i + 1) % n] : c[i % 3 ? i : 0];
      diagram.Relate(shape == 2 ? c[i + 1] : c[i], shape == 3 ? c[i + 1] : to, shape == 3 ? 2 : 1,
                     2);
    }
    if (shape == 1) diagram.Relate(c[n - 1], c[0], 2, 2);
    if (shape == 3) diagram.Relate(c[n - 1], c[0], 1, 2);
    diagram.Connect();
    ExpectSameOrder(diagram.classes, "shape " + std::to_string(shape));
  }

  Diagram diagram;
  PClassType a = diagram.AddClass("A");
  PClassType outside = diagram.AddClass("Outside");
  PClassType b = diagram.AddClass("B");
  diagram.Relate(a, outside, 1, 2);
  diagram.Relate(b, a, 1, 2);
  diagram.Connect();
  ExpectSameOrder(Table({b, a}), "class outside the table");
}

}  // namespace

// ClassOrder against the pass-by-pass order it replaces, which rescans the
// remaining classes and decides readiness from the Written flags.
#include "writer/ClassOrder.h"

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "WriterTestSupport.h"
#include "model/ElemList.h"
#include "writer/Relations.h"

namespace {

bool LeadsToWaitingClass(const PElement& element, const PElement& cls) {
  PRelType relation = ToRelType(element);
  PClassType to = relation->GetClass2();
  return IsClassAt(relation->GetClass1(), cls) && to && !IsClassAt(to, cls) && !to->GetWritten();
}

bool IsReady(const PElement& cls) {
  return ToClassType(cls)->GetRelations()->FilterWithElem(cls, LeadsToWaitingClass)->IsEmpty();
}

bool IsNotWritten(const PElement& cls) {
  return !ToClassType(cls)->GetWritten();
}

// The passes as the writer made them, with SetWritten standing in for writing.
std::vector<PElement> ReferenceOrder(const PElemTable& classes) {
  std::vector<PElement> order;
  PElemTable remaining = classes;
  PElemTable ready = remaining->Filter(IsReady);
  while (!ready->IsEmpty()) {
    for (const PElement& cls : ElementsOf(ready)) {
      order.push_back(cls);
      ToClassType(cls)->SetWritten(true);
    }
    remaining = remaining->Filter(IsNotWritten);
    ready = remaining->Filter(IsReady);
  }
  for (const PElement& cls : ElementsOf(remaining)) order.push_back(cls);
  return order;
}

// Positions in the diagram's classes table; a class outside it shows as -1.
std::vector<int> Places(const Diagram& diagram, const std::vector<PElement>& order) {
  std::vector<PElement> all = ElementsOf(diagram.classes);
  std::vector<int> places;
  for (const PElement& cls : order) {
    int place = -1;
    for (std::size_t i = 0; i < all.size(); ++i) {
      if (all[i] == cls) place = static_cast<int>(i);
    }
    places.push_back(place);
  }
  return places;
}

// The new order first (it reads no Written flag), then the reference, which sets them.
void ExpectSameOrder(const Diagram& diagram, const PElemTable& classes, const std::string& what) {
  std::vector<int> order = Places(diagram, ClassOrder(classes));
  EXPECT_EQ(order, Places(diagram, ReferenceOrder(classes))) << what;
}

// Random graphs of up to a dozen classes: multi-edges, self relations, loose
// ends, cycles, shared boxes, every head size and direction, repeated names.
TEST(ClassOrderTest, AgreesOnRandomDiagrams) {
  std::mt19937 random(7);
  auto below = [&](int bound) { return static_cast<int>(random() % static_cast<unsigned>(bound)); };
  for (int round = 0; round < 1500; ++round) {
    Diagram diagram;
    std::vector<PClassType> classes;
    int count = 1 + below(12);
    for (int i = 0; i < count; ++i)
      classes.push_back(diagram.AddClass("K" + std::to_string(i % 4)));
    auto anyClass = [&]() { return below(10) == 0 ? PClassType() : classes[below(count)]; };
    int relations = below(25);
    for (int i = 0; i < relations; ++i) diagram.Relate(anyClass(), anyClass(), below(3), below(4));
    // A class moved onto another's box: relations then touch three classes or
    // more, and some class holds a relation between two others.
    if (below(3) == 0) classes[below(count)]->SetX(classes[below(count)]->GetX());
    diagram.Connect();
    ExpectSameOrder(diagram, diagram.classes, "round " + std::to_string(round));
  }
}

// Shapes that take many passes or long cycles, and a class that depends on one
// outside the table handed over.
TEST(ClassOrderTest, AgreesOnLargeShapes) {
  struct Case {
    const char* what;
    std::function<void(Diagram&, const std::vector<PClassType>&)> relate;
  };
  const int n = 200;
  const std::vector<Case> cases = {
      {"chain against table order",
       [](Diagram& d, const std::vector<PClassType>& c) {
         for (int i = 0; i + 1 < n; ++i) d.Relate(c[i], c[i + 1], 1, 2);
       }},
      {"ring",
       [](Diagram& d, const std::vector<PClassType>& c) {
         for (int i = 0; i < n; ++i) d.Relate(c[i], c[(i + 1) % n], 2, 2);
       }},
      {"star and chains into it",
       [](Diagram& d, const std::vector<PClassType>& c) {
         for (int i = 1; i < n; ++i) d.Relate(c[i], i % 3 == 0 ? c[0] : c[i - 1], 1, 2);
       }},
      {"binary tree of generalisations, superclasses last",
       [](Diagram& d, const std::vector<PClassType>& c) {
         for (int i = 0; i + 1 < n; ++i) d.Relate(c[i], c[(i + n) / 2], 2, 1);
       }},
  };
  for (const Case& c : cases) {
    Diagram diagram;
    std::vector<PClassType> classes;
    for (int i = 0; i < n; ++i) classes.push_back(diagram.AddClass("K" + std::to_string(i)));
    c.relate(diagram, classes);
    diagram.Connect();
    ExpectSameOrder(diagram, diagram.classes, c.what);
  }

  Diagram diagram;
  PClassType a = diagram.AddClass("A");
  PClassType outside = diagram.AddClass("Outside");
  PClassType b = diagram.AddClass("B");
  diagram.Relate(a, outside, 1, 2);
  diagram.Relate(b, a, 1, 2);
  diagram.Connect();
  ExpectSameOrder(diagram, Table({b, a}), "class outside the table");
}

}  // namespace

// ConnectClasses against the class-by-class connection it replaces, on many
// generated diagrams: the same Class1 and Class2 for every relation and the same
// Relations table for every class.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "model/Connection.h"
#include "model/ElemList.h"
#include "model/ElemType.h"

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

int32_t Wrapped(int64_t value) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

struct BoxSpec {
  int32_t x, y, w, h;
};

struct LineSpec {
  int32_t x, y;  // the relation's position; the points are absolute
  int32_t sx, sy, ex, ey;
  int32_t direction;
};

struct DiagramSpec {
  std::vector<BoxSpec> boxes;
  std::vector<LineSpec> lines;
};

// One copy of a diagram, as model objects in table order.
struct Model {
  std::vector<PClassType> classes;
  std::vector<PRelType> relations;
  PElemTable classTable = NewElemTable();
  PElemTable relationTable = NewElemTable();
};

Model Build(const DiagramSpec& spec) {
  Model model;
  for (std::size_t i = 0; i < spec.boxes.size(); ++i) {
    const BoxSpec& box = spec.boxes[i];
    PClassType cls = NewClassType();
    cls->SetName("C" + std::to_string(i % 3));  // names repeat; they play no part
    cls->SetX(box.x);
    cls->SetY(box.y);
    cls->SetW(box.w);
    cls->SetH(box.h);
    model.classes.push_back(cls);
    model.classTable->Add(cls);
  }
  for (const LineSpec& line : spec.lines) {
    PRelType rel = NewRelType();
    rel->SetX(line.x);
    rel->SetY(line.y);
    rel->SetStartX(Wrapped(int64_t{line.sx} - line.x));
    rel->SetStartY(Wrapped(int64_t{line.sy} - line.y));
    rel->SetEndX(Wrapped(int64_t{line.ex} - line.x));
    rel->SetEndY(Wrapped(int64_t{line.ey} - line.y));
    rel->SetDirection(line.direction);
    model.relations.push_back(rel);
    model.relationTable->Add(rel);
  }
  return model;
}

template <class T>
int IndexOf(const std::vector<T>& list, const IElement* object) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i]->GetSelf() == object) return static_cast<int>(i);
  }
  return -1;
}

// Class1 and Class2 of each relation as class numbers (-1 for none), then each
// class's Relations table as relation numbers.
std::string Outcome(const Model& model) {
  std::string text;
  for (const PRelType& rel : model.relations) {
    PClassType c1 = rel->GetClass1();
    PClassType c2 = rel->GetClass2();
    text += std::to_string(c1 ? IndexOf(model.classes, c1->GetSelf()) : -1) + "->" +
            std::to_string(c2 ? IndexOf(model.classes, c2->GetSelf()) : -1) + " ";
  }
  text += "|";
  for (const PClassType& cls : model.classes) {
    text += " [";
    for (const PElement& rel : ElementsOf(cls->GetRelations())) {
      text += std::to_string(IndexOf(model.relations, rel->GetSelf())) + ",";
    }
    text += "]";
  }
  return text;
}

// Connects one copy class by class and another at once; both must agree, and
// every class must get a new Relations table.
void ExpectSameConnection(const DiagramSpec& spec, const std::string& what) {
  Model reference = Build(spec);
  reference.classTable->ForEachWithTable(reference.relationTable, ConnectClass);
  Model fast = Build(spec);
  std::vector<PElemTable> before;
  for (const PClassType& cls : fast.classes) before.push_back(cls->GetRelations());
  ConnectClasses(fast.classTable, fast.relationTable);
  ASSERT_EQ(Outcome(fast), Outcome(reference)) << what;
  for (std::size_t i = 0; i < fast.classes.size(); ++i) {
    EXPECT_NE(fast.classes[i]->GetRelations(), before[i]) << what << ", class " << i;
  }
}

// Small diagrams whose coordinates come from a few values, so that boxes share
// edges, overlap, nest, touch at corners, have zero or negative size or wrap
// around the ends of the 32-bit range, and whose end points lie mostly on
// edges and corners of those boxes.
class RandomDiagrams {
 public:
  explicit RandomDiagrams(uint32_t seed) : random_(seed) {}

  DiagramSpec Next() {
    static const int32_t kCoords[] = {-20, -10, 0, 10, 20, 30, kMax - 10, kMax, kMin, kMin + 10};
    static const int32_t kSizes[] = {0, 10, 20, 30, -10, kMax, 20};
    DiagramSpec spec;
    int classes = Below(9);
    for (int i = 0; i < classes; ++i) {
      spec.boxes.push_back({Pick(kCoords), Pick(kCoords), Pick(kSizes), Pick(kSizes)});
    }
    int lines = Below(9);
    for (int i = 0; i < lines; ++i) {
      LineSpec line{Pick(kCoords), Pick(kCoords), 0, 0, 0, 0, Below(4)};
      PointOn(spec, line.sx, line.sy);
      // A third of the lines end where they start, on one box.
      if (Below(3) == 0) {
        line.ex = line.sx;
        line.ey = line.sy;
      } else {
        PointOn(spec, line.ex, line.ey);
      }
      spec.lines.push_back(line);
    }
    return spec;
  }

 private:
  int Below(int bound) { return static_cast<int>(random_() % static_cast<uint32_t>(bound)); }

  template <std::size_t N>
  int32_t Pick(const int32_t (&values)[N]) {
    return values[Below(static_cast<int>(N))];
  }

  // An edge coordinate of some box, a step beside it, or any coordinate.
  void PointOn(const DiagramSpec& spec, int32_t& px, int32_t& py) {
    static const int32_t kAny[] = {-10, 0, 5, 10, 15, 20, 30, kMax, kMin};
    if (spec.boxes.empty() || Below(5) == 0) {
      px = Pick(kAny);
      py = Pick(kAny);
      return;
    }
    const BoxSpec& box =
        spec.boxes[static_cast<std::size_t>(Below(static_cast<int>(spec.boxes.size())))];
    px = Near(box.x, box.w);
    py = Near(box.y, box.h);
  }

  int32_t Near(int32_t start, int32_t size) {
    switch (Below(6)) {
      case 0:
        return start;
      case 1:
      case 2:
        return Wrapped(int64_t{start} + size);
      case 3:
        return Wrapped(int64_t{start} + 5);
      case 4:
        return Wrapped(int64_t{start} + size + 1);
      default:
        return Wrapped(int64_t{start} - 1);
    }
  }

  std::mt19937 random_;
};

TEST(ConnectClassesTest, AgreesOnRandomDiagrams) {
  RandomDiagrams diagrams(20240607);
  for (int i = 0; i < 4000; ++i)
    ExpectSameConnection(diagrams.Next(), "diagram " + std::to_string(i));
}

// Many boxes at one coordinate: a column of boxes sharing their left and right
// edges and their horizontal neighbours' edges, nested boxes that all hold one
// point, and a mixture; the points go along the shared edges.
TEST(ConnectClassesTest, AgreesOnCrowdedEdges) {
  struct Case {
    const char* what;
    BoxSpec (*box)(int i);
  };
  const std::vector<Case> cases = {
      {"column sharing edges",
       [](int i) {
         return BoxSpec{0, 10 * i, 10, 10};
       }},
      {"nested",
       [](int i) {
         return BoxSpec{0, -i, 10, 2 * i};
       }},
      {"staggered, some empty",
       [](int i) {
         return BoxSpec{0, 7 * (i % 13), 10, 3 * (i % 5) - 3};
       }},
  };
  for (const Case& c : cases) {
    DiagramSpec spec;
    for (int i = 0; i < 300; ++i) spec.boxes.push_back(c.box(i));
    for (int i = 0; i < 60; ++i) {
      int32_t y = 5 * i - 20;
      spec.lines.push_back({0, 0, 0, y, 10, y + 3, i % 4});
    }
    ExpectSameConnection(spec, c.what);
  }
}

}  // namespace

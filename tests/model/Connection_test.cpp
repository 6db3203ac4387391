// Tests of the kind tests and of connecting relations to the classes they touch,
// one class at a time and all at once.
#include "model/Connection.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "model/ElemList.h"
#include "model/ElemType.h"
#include "model/Error.h"
#include "model/Multiplicity.h"
#include "model/NearClass.h"

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

PClassType Box(const std::string& name, int32_t x, int32_t y, int32_t w, int32_t h) {
  PClassType cls = NewClassType();
  cls->SetName(name);
  cls->SetX(x);
  cls->SetY(y);
  cls->SetW(w);
  cls->SetH(h);
  return cls;
}

// A relation at (0, 0) whose offsets are its absolute end points.
PRelType Line(int32_t sx, int32_t sy, int32_t ex, int32_t ey, int32_t direction = 0) {
  PRelType rel = NewRelType();
  rel->SetStartX(sx);
  rel->SetStartY(sy);
  rel->SetEndX(ex);
  rel->SetEndY(ey);
  rel->SetDirection(direction);
  return rel;
}

std::string NameOf(const PClassType& cls) {
  return cls ? cls->GetName() : "(none)";
}

std::string Ends(const PRelType& rel) {
  return NameOf(rel->GetClass1()) + "->" + NameOf(rel->GetClass2());
}

PElemTable TableOf(const std::vector<PElement>& elements) {
  PElemTable table = NewElemTable();
  for (const PElement& element : elements) table->Add(element);
  return table;
}

// What the driver does: every class against every relation, in table order.
void Connect(const std::vector<PElement>& classes, const std::vector<PElement>& relations) {
  TableOf(classes)->ForEachWithTable(TableOf(relations), ConnectClass);
}

struct BorderCase {
  int32_t px, py;
  bool on;
};

// The box left 100, right 180, top 50, bottom 110: edges and corners count,
// one step inside or outside does not.
TEST(ConnectionTest, OnBorder) {
  const std::vector<BorderCase> cases = {
      {100, 70, true},   {180, 70, true},   {140, 50, true},  {140, 110, true},  {100, 50, true},
      {180, 50, true},   {100, 110, true},  {180, 110, true}, {101, 70, false},  {99, 70, false},
      {179, 70, false},  {181, 70, false},  {140, 51, false}, {140, 49, false},  {140, 109, false},
      {140, 111, false}, {100, 111, false}, {100, 49, false}, {181, 110, false}, {99, 50, false},
      {140, 80, false},  {0, 0, false},
  };
  for (const BorderCase& c : cases) {
    EXPECT_EQ(OnBorder(c.px, c.py, 100, 180, 50, 110), c.on) << c.px << "," << c.py;
  }
}

// End points are relative to the relation's position; either end may touch.
TEST(ConnectionTest, RelativeEndPoints) {
  struct Case {
    int32_t sx, sy, ex, ey;
    bool touches;
  };
  // Relation at (90, 40), class box 100..180 x 50..110.
  const std::vector<Case> cases = {
      {10, 30, 500, 500, true},   // start (100, 70) on the left edge
      {11, 30, 500, 500, false},  // (101, 70) inside
      {9, 30, 500, 500, false},   // (99, 70) outside
      {10, 10, 500, 500, true},   // (100, 50) corner
      {90, 70, 500, 500, true},   // (180, 110) corner
      {10, 71, 500, 500, false},  // (100, 111) below the left edge
      {500, 500, 90, 30, true},   // end (180, 70) on the right edge
      {0, 0, 0, 0, false},        // both at (90, 40)
  };
  for (const Case& c : cases) {
    PClassType cls = Box("A", 100, 50, 80, 60);
    PRelType rel = Line(c.sx, c.sy, c.ex, c.ey);
    rel->SetX(90);
    rel->SetY(40);
    EXPECT_EQ(RelTouchesClass(rel, cls), c.touches) << c.sx << "," << c.sy;
    EXPECT_EQ(Ends(rel), c.touches ? "A->(none)" : "(none)->(none)") << c.sx << "," << c.sy;
  }
}

// Who becomes Class1 and Class2: heads decide when at one end, otherwise table order.
TEST(ConnectionTest, TieBreaks) {
  struct Case {
    const char* what;
    int32_t sx, sy, ex, ey, direction;
    const char* ends;
  };
  // Class A spans x 0..10, class B spans x 100..110, both y 0..10; A comes first.
  const std::vector<Case> cases = {
      {"start on B, end on A, heads at start", 100, 5, 10, 5, 1, "A->B"},
      {"start on A, end on B, heads at start", 10, 5, 100, 5, 1, "B->A"},
      {"start on A, end on B, heads at end", 10, 5, 100, 5, 2, "A->B"},
      {"start on B, end on A, heads at end", 100, 5, 10, 5, 2, "B->A"},
      {"start on B, end on A, no heads", 100, 5, 10, 5, 0, "A->B"},
      {"start on A, end on B, no heads", 10, 5, 100, 5, 0, "A->B"},
      {"start on B, end on A, heads at both ends", 100, 5, 10, 5, 3, "A->B"},
      {"only start on A, heads at start", 0, 5, 50, 50, 1, "(none)->A"},
      {"only start on A, heads at end", 0, 5, 50, 50, 2, "A->(none)"},
      {"only end on B, heads at end", 50, 50, 110, 0, 2, "(none)->B"},
      {"both ends on A", 0, 0, 10, 10, 1, "A->A"},
      {"both ends on B", 100, 3, 105, 10, 0, "B->B"},
      {"no end on a class", 50, 50, 60, 60, 0, "(none)->(none)"},
  };
  for (const Case& c : cases) {
    PClassType a = Box("A", 0, 0, 10, 10);
    PClassType b = Box("B", 100, 0, 10, 10);
    PRelType rel = Line(c.sx, c.sy, c.ex, c.ey, c.direction);
    Connect({a, b}, {rel});
    EXPECT_EQ(Ends(rel), c.ends) << c.what;
  }
}

// A self relation overrides what earlier classes recorded; a later touching class
// replaces Class2 but the relation stays in every touched class's table.
TEST(ConnectionTest, MoreThanTwoClasses) {
  PClassType a = Box("A", 0, 0, 10, 10);
  PClassType b = Box("B", 10, 0, 10, 10);  // shares the edge x = 10 with A
  PClassType c = Box("C", 10, 0, 20, 20);  // shares it too
  PRelType rel = Line(10, 5, 50, 50);
  Connect({a, b, c}, {rel});
  EXPECT_EQ(Ends(rel), "A->C");
  for (const PClassType& cls : {a, b, c}) {
    EXPECT_EQ(cls->GetRelations()->Count(), 1) << cls->GetName();
  }

  PClassType d = Box("D", 0, 0, 10, 10);
  PClassType e = Box("E", 0, 0, 10, 10);  // the same box
  PRelType both = Line(0, 5, 10, 5);
  Connect({d, e}, {both});
  EXPECT_EQ(Ends(both), "E->E");
}

// Ends off the border count as touching the class they are near, under the same
// rules for Class1 and Class2 as ends on it.
TEST(ConnectionTest, NearEnds) {
  struct Case {
    const char* what;
    int32_t sx, sy, ex, ey, direction;
    const char* ends;
  };
  // Class A spans x 0..10, class B spans x 100..110, both y 0..10; A comes first.
  const std::vector<Case> cases = {
      {"start 1 left of B, end on A, no heads", 99, 5, 10, 5, 0, "A->B"},
      {"start inside B, end 1 right of A, heads at start", 105, 5, 11, 5, 1, "A->B"},
      {"start 1 right of A, end inside B, heads at start", 11, 5, 105, 5, 1, "B->A"},
      {"start 10 above A, end 10 below B, heads at end", 5, -10, 105, 20, 2, "A->B"},
      {"start 11 above A, end on B, heads at end", 5, -11, 100, 5, 2, "(none)->B"},
      {"both ends inside A", 3, 5, 7, 5, 0, "A->A"},
      {"start inside A, end on A", 5, 5, 10, 5, 1, "A->A"},
  };
  for (const Case& c : cases) {
    PClassType a = Box("A", 0, 0, 10, 10);
    PClassType b = Box("B", 100, 0, 10, 10);
    PRelType rel = Line(c.sx, c.sy, c.ex, c.ey, c.direction);
    ConnectClasses(TableOf({a, b}), TableOf({rel}));
    EXPECT_EQ(Ends(rel), c.ends) << c.what;
  }
}

// An end on a border is near no class, and an underlined class, one of negative
// size or one whose side wraps past 32 bits is near no end.
TEST(ConnectionTest, NearRuleLeavesOut) {
  struct Case {
    const char* what;
    int32_t x, w;  // of class C, which spans y 0..100
    bool underlined;
    int32_t sx;  // the start, at y 50, of a line that ends far away
    const char* ends;
  };
  // Class B spans 40..60 both ways, inside class A, which spans 0..100.
  const std::vector<Case> cases = {
      {"start on B's border, inside A", 200, 10, false, 40, "B->(none)"},
      {"start 5 beside C", 200, 10, false, 215, "C->(none)"},
      {"start 5 beside an underlined C", 200, 10, true, 215, "(none)->(none)"},
      {"start inside C of negative width", 300, -100, false, 250, "(none)->(none)"},
      {"start on C of negative width", 300, -100, false, 300, "C->(none)"},
      {"start inside C whose right wraps", kMax - 100, 101, false, kMax - 50, "(none)->(none)"},
      {"start inside C whose right is the last", kMax - 100, 100, false, kMax - 50, "C->(none)"},
  };
  for (const Case& c : cases) {
    PClassType a = Box("A", 0, 0, 100, 100);
    PClassType b = Box("B", 40, 40, 20, 20);
    PClassType cls = Box("C", c.x, 0, c.w, 100);
    cls->SetUnderlined(c.underlined);
    PRelType rel = Line(c.sx, 50, 5000, 5000);
    ConnectClasses(TableOf({a, b, cls})->Filter(IsPlainClass), TableOf({rel}));
    EXPECT_EQ(Ends(rel), c.ends) << c.what;
    EXPECT_TRUE(a->GetRelations()->IsEmpty()) << c.what;
  }
}

// Each class gets a new table of the relations touching it, in relations order.
TEST(ConnectionTest, RelationsTables) {
  PClassType a = Box("A", 0, 0, 10, 10);
  PClassType lonely = Box("L", 500, 500, 10, 10);
  PRelType r1 = Line(0, 5, 300, 300);
  PRelType r2 = Line(300, 300, 400, 400);
  PRelType r3 = Line(300, 300, 10, 10);
  r1->SetName("r1");
  r3->SetName("r3");
  PElemTable oldTable = lonely->GetRelations();
  Connect({a, lonely}, {r1, r2, r3});

  PElemTable rels = a->GetRelations();
  ASSERT_EQ(rels->Count(), 2);
  EXPECT_EQ(rels->AnyOne(), r1);
  PElemTable notR1 =
      rels->Filter([](const PElement& e) { return ToRelType(e)->GetName() != "r1"; });
  EXPECT_EQ(notR1->AnyOne(), r3);

  ASSERT_NE(lonely->GetRelations(), nullptr);
  EXPECT_TRUE(lonely->GetRelations()->IsEmpty());
  EXPECT_NE(lonely->GetRelations(), oldTable);
}

// Underlined classes never enter the classes table, so nothing connects them.
TEST(ConnectionTest, KindTestsAndSplit) {
  PClassType plain = Box("P", 0, 0, 10, 10);
  PClassType underlined = Box("U", 0, 0, 10, 10);
  underlined->SetUnderlined(true);
  PRelType rel = Line(0, 5, 500, 500);
  PElemType other = NewElemType();
  PElement range = NewMultiplicity("1", "1");

  struct Case {
    const char* what;
    PElement element;
    bool isClass, isRel, isOther, isPlain;
  };
  const std::vector<Case> cases = {
      {"plain class", plain, true, false, false, true},
      {"underlined class", underlined, true, false, false, false},
      {"relation", rel, false, true, false, false},
      {"other element", other, false, false, true, false},
      {"multiplicity", range, false, false, true, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsClassType(c.element), c.isClass) << c.what;
    EXPECT_EQ(IsRelType(c.element), c.isRel) << c.what;
    EXPECT_EQ(IsOtherElem(c.element), c.isOther) << c.what;
    EXPECT_EQ(IsPlainClass(c.element), c.isPlain) << c.what;
  }

  PElemTable diagram = TableOf({underlined, rel, plain, other});
  PElemTable classes = diagram->Filter(IsPlainClass);
  PElemTable relations = diagram->Filter(IsRelType);
  classes->ForEachWithTable(relations, ConnectClass);
  EXPECT_EQ(Ends(rel), "P->(none)");
  EXPECT_TRUE(underlined->GetRelations()->IsEmpty());
  EXPECT_EQ(plain->GetRelations()->Count(), 1);
}

// Sums wrap at 32 bits: a wider computation would miss both of these touches.
TEST(ConnectionTest, WrappingSums) {
  // The start point wraps: INT32_MAX + 2 is the class's left edge.
  PClassType left = Box("L", kMin + 1, 0, 10, 10);
  PRelType rel = Line(2, 5, 0, 0);
  rel->SetX(kMax);
  EXPECT_TRUE(RelTouchesClass(rel, left));

  // The box wraps: its right edge X + W lies at the bottom of the range, so the
  // point INT32_MIN + 4 is on it and the point INT32_MAX is not on the top edge.
  PClassType wrapped = Box("W", kMax - 5, 0, 10, 10);
  PRelType onRight = Line(4, 5, 500, 500);
  onRight->SetX(kMin);
  EXPECT_TRUE(RelTouchesClass(onRight, wrapped));
  PRelType onTop = Line(0, 0, 0, 0);
  onTop->SetX(kMax);
  EXPECT_FALSE(RelTouchesClass(onTop, wrapped));
}

// Narrowing a wrong kind of element raises the invalid-cast error.
TEST(ConnectionTest, WrongKinds) {
  PElemTable relations = TableOf({Line(0, 0, 1, 1)});
  try {
    ConnectClass(NewRelType(), relations);
    FAIL() << "a relation is no class";
  } catch (const InvalidCastError& error) {
    EXPECT_STREQ(error.what(), "Invalid downcast of IElement to IClassType");
  }
  try {
    RelTouchesClass(NewClassType(), NewClassType());
    FAIL() << "a class is no relation";
  } catch (const InvalidCastError& error) {
    EXPECT_STREQ(error.what(), "Invalid downcast of IElement to IRelType");
  }
  try {
    ConnectClasses(TableOf({NewClassType()}), TableOf({NewClassType()}));
    FAIL() << "a class is no relation";
  } catch (const InvalidCastError& error) {
    EXPECT_STREQ(error.what(), "Invalid downcast of IElement to IRelType");
  }
  // Without classes, no relation is looked at, as in the class-by-class walk.
  EXPECT_NO_THROW(ConnectClasses(NewElemTable(), TableOf({NewClassType()})));
}

// A class and its relations do not own each other: both are freed, and a relation
// outliving its class reports no class.
TEST(ConnectionTest, NoOwnershipCycle) {
  std::weak_ptr<IClassType> watchedClass;
  std::weak_ptr<IRelType> watchedRel;
  PRelType survivor;
  {
    PClassType cls = Box("A", 0, 0, 10, 10);
    PRelType rel = Line(0, 5, 10, 5);
    PRelType other = Line(0, 0, 500, 500);
    watchedClass = cls;
    watchedRel = rel;
    survivor = other;
    Connect({cls}, {rel, other});
    ASSERT_EQ(Ends(rel), "A->A");
    ASSERT_EQ(Ends(other), "A->(none)");
  }
  EXPECT_TRUE(watchedClass.expired());
  EXPECT_TRUE(watchedRel.expired());
  EXPECT_EQ(survivor->GetClass1(), nullptr);
}

// A diagram as model objects; the tests make two equal copies of each.
struct Copy {
  std::vector<PElement> classes;
  std::vector<PElement> relations;
};

int32_t Wrapped(int64_t value) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

// A relation whose end points, not offsets, are given; its position is (x, y).
PRelType LineAt(int32_t x, int32_t y, int32_t sx, int32_t sy, int32_t ex, int32_t ey,
                int32_t direction) {
  PRelType rel = Line(Wrapped(int64_t{sx} - x), Wrapped(int64_t{sy} - y), Wrapped(int64_t{ex} - x),
                      Wrapped(int64_t{ey} - y), direction);
  rel->SetX(x);
  rel->SetY(y);
  return rel;
}

int Place(const std::vector<PElement>& elements, const PElement& element) {
  for (std::size_t i = 0; i < elements.size(); ++i) {
    if (element && elements[i]->GetSelf() == element->GetSelf()) return static_cast<int>(i);
  }
  return -1;
}

// Class1 and Class2 of each relation as class places (-1 for none), then each
// class's Relations table as relation places.
std::string Outcome(const Copy& copy) {
  std::string text;
  for (const PElement& rel : copy.relations) {
    text += std::to_string(Place(copy.classes, ToRelType(rel)->GetClass1())) + ">" +
            std::to_string(Place(copy.classes, ToRelType(rel)->GetClass2())) + " ";
  }
  for (const PElement& cls : copy.classes) {
    text += "[";
    for (const PElement& rel : ElementsOf(ToClassType(cls)->GetRelations())) {
      text += std::to_string(Place(copy.relations, rel)) + ",";
    }
    text += "]";
  }
  return text;
}

// The near rule pair by pair: the class that an end on no class border belongs
// to, or none.
std::shared_ptr<TClassType> NearByDefinition(const Copy& copy, LinePoint p) {
  std::shared_ptr<TClassType> best;
  std::pair<int64_t, uint64_t> bestRank;
  for (const PElement& element : copy.classes) {
    auto cls = std::dynamic_pointer_cast<TClassType>(ToClassType(element));
    const ClassBox box = cls->Box();
    if (OnBorder(p.x, p.y, box.left, box.right, box.top, box.bottom)) return nullptr;
    if (!CanBeNear(cls->GetX(), cls->GetY(), cls->GetW(), cls->GetH())) continue;
    const bool inside = box.left <= p.x && p.x <= box.right && box.top <= p.y && p.y <= box.bottom;
    const std::pair<int64_t, uint64_t> rank{
        BorderDistance(box, p),
        static_cast<uint64_t>(cls->GetW()) * static_cast<uint64_t>(cls->GetH())};
    if ((inside || rank.first <= 10) && (!best || rank < bestRank)) {
      best = cls;
      bestRank = rank;
    }
  }
  return best;
}

void AttachNearByDefinition(const Copy& copy) {
  for (const PElement& element : copy.relations) {
    auto rel = std::dynamic_pointer_cast<TRelType>(ToRelType(element));
    if (auto cls = NearByDefinition(copy, rel->StartPoint())) rel->SetNearStart(cls);
    if (auto cls = NearByDefinition(copy, rel->EndPoint())) rel->SetNearEnd(cls);
  }
}

// One copy connected class by class, once its ends have their near classes by
// the rule as written; the other by ConnectClasses, which must also replace
// every class's table, even by the shared empty one.
void ExpectSameConnection(const std::function<void(Copy&)>& make, const std::string& what) {
  Copy reference, fast;
  make(reference);
  make(fast);
  AttachNearByDefinition(reference);
  TableOf(reference.classes)->ForEachWithTable(TableOf(reference.relations), ConnectClass);
  std::vector<PElemTable> before;
  for (const PElement& cls : fast.classes) {
    before.push_back(NewElemTable());
    std::dynamic_pointer_cast<TClassType>(ToClassType(cls))->SetRelations(before.back());
  }
  ConnectClasses(TableOf(fast.classes), TableOf(fast.relations));
  ASSERT_EQ(Outcome(fast), Outcome(reference)) << what;
  for (std::size_t i = 0; i < before.size(); ++i) {
    EXPECT_NE(ToClassType(fast.classes[i])->GetRelations(), before[i]) << what << " " << i;
  }
}

// Small diagrams from a few coordinates, so that boxes share edges, overlap,
// nest, touch at corners, have zero or negative size or wrap around the 32-bit
// range; end points mostly on an edge or a corner of a box, a step beside it,
// at the edge of its reach or inside it, a third of the lines from a box to itself.
void MakeRandom(Copy& copy, uint32_t seed) {
  static const int32_t kCoords[] = {-20, -10, 0, 10, 20, 30, kMax - 10, kMax, kMin, kMin + 10};
  static const int32_t kSizes[] = {0, 10, 20, 30, -10, kMax, 20};
  std::mt19937 random(seed);
  auto below = [&](int bound) { return static_cast<int>(random() % static_cast<unsigned>(bound)); };
  auto pick = [&](const auto& values) {
    return values[below(static_cast<int>(std::size(values)))];
  };
  for (int i = below(9); i > 0; --i) {
    int32_t x = pick(kCoords), y = pick(kCoords), w = pick(kSizes), h = pick(kSizes);
    copy.classes.push_back(Box("C", x, y, w, h));
  }
  auto near = [&](int32_t start, int32_t size) {
    const int64_t offsets[] = {
        0, size, size, 5, int64_t{size} + 1, -1, -10, -11, int64_t{size} + 10, size / 2};
    return Wrapped(start + pick(offsets));
  };
  auto point = [&](int32_t& px, int32_t& py) {
    if (copy.classes.empty() || below(5) == 0) {
      px = pick(kCoords);
      py = pick(kCoords);
      return;
    }
    PClassType box = ToClassType(copy.classes[below(static_cast<int>(copy.classes.size()))]);
    px = near(box->GetX(), box->GetW());
    py = near(box->GetY(), box->GetH());
  };
  for (int i = below(9); i > 0; --i) {
    int32_t sx, sy, ex, ey;
    point(sx, sy);
    point(ex, ey);
    if (below(3) == 0) {
      ex = sx;
      ey = sy;
    }
    int32_t x = pick(kCoords), y = pick(kCoords);
    copy.relations.push_back(LineAt(x, y, sx, sy, ex, ey, below(4)));
  }
}

// A class's table keeps relations order, however each relation reaches it.
TEST(ConnectionTest, NearRelationsInOrder) {
  Copy copy{{Box("A", 0, 0, 100, 100)},
            {Line(50, 50, 500, 500), Line(0, 50, 500, 500), Line(105, 50, 500, 500),
             Line(500, 500, 0, 50), Line(500, 500, 50, 95), Line(0, 50, 50, 50)}};
  ConnectClasses(TableOf(copy.classes), TableOf(copy.relations));
  EXPECT_EQ(Outcome(copy), "0>-1 0>-1 0>-1 0>-1 0>-1 0>0 [0,1,2,3,4,5,]");
}

TEST(ConnectClassesTest, AgreesOnRandomDiagrams) {
  for (uint32_t seed = 0; seed < 4000; ++seed) {
    ExpectSameConnection([seed](Copy& copy) { MakeRandom(copy, seed); },
                         "seed " + std::to_string(seed));
  }
}

// Hundreds of boxes at one coordinate, with points along it: a column sharing
// edges, boxes nested around one point, a staggered mixture with empty boxes.
TEST(ConnectClassesTest, AgreesOnCrowdedEdges) {
  struct Case {
    const char* what;
    int32_t (*top)(int i);
    int32_t (*height)(int i);
  };
  const std::vector<Case> cases = {
      {"column", [](int i) { return 10 * i; }, [](int) { return 10; }},
      {"nested", [](int i) { return -i; }, [](int i) { return 2 * i; }},
      {"staggered", [](int i) { return 7 * (i % 13); }, [](int i) { return 3 * (i % 5) - 3; }},
  };
  for (const Case& c : cases) {
    ExpectSameConnection(
        [&c](Copy& copy) {
          for (int i = 0; i < 300; ++i)
            copy.classes.push_back(Box("C", 0, c.top(i), 10, c.height(i)));
          for (int i = 0; i < 60; ++i)
            copy.relations.push_back(Line(0, 5 * i - 20, 10, 5 * i - 17, i % 4));
        },
        c.what);
  }
}

// Many boxes of every size crowded and nested in a small field, many sharing a
// side, with ends all over it, so that most ends are near several boxes or inside
// several.
TEST(ConnectClassesTest, AgreesOnNestedBoxes) {
  for (uint32_t seed = 0; seed < 20; ++seed) {
    ExpectSameConnection(
        [seed](Copy& copy) {
          std::mt19937 random(seed);
          auto below = [&](uint32_t bound) { return static_cast<int32_t>(random() % bound); };
          // Sides on a grid of 10, so that many boxes share one.
          for (int i = 0; i < 150; ++i) {
            const int32_t w = 10 * (below(4) == 0 ? below(40) : below(4));
            copy.classes.push_back(
                Box("C", 10 * below(40), 10 * below(40), w, below(3) ? 10 * below(4) : w));
            copy.relations.push_back(
                Line(below(440) - 20, below(440) - 20, below(440) - 20, below(440) - 20, below(4)));
          }
        },
        "seed " + std::to_string(seed));
  }
}

}  // namespace

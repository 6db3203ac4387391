// Tests of the kind tests and of connecting relations to the classes they touch.
#include "model/Connection.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "model/ElemType.h"
#include "model/Error.h"
#include "model/Multiplicity.h"

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

}  // namespace

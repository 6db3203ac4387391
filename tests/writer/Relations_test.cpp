// Multiplicity texts and tests, link descriptions, constraint lines, relation groups.
#include <vector>

#include "WriterTestSupport.h"
#include "model/ElemList.h"
#include "writer/Relations.h"

namespace {

using RelationsTest = WriterTest;

struct MultiplicityCase {
  PElemTable multiplicity;
  std::string text;
  bool optional;
  bool many;
};

// Only the first range decides optional and many; "n" anywhere writes [*].
TEST_F(RelationsTest, Multiplicities) {
  std::vector<MultiplicityCase> cases = {
      {Mult({}), "", true, false},
      {Mult({{"1", "1"}}), "", false, false},
      {Mult({{"0", "1"}}), "[0..1]", true, false},
      {Mult({{"0", "n"}}), "[*]", true, true},
      {Mult({{"1", "5"}}), "[1..5]", false, true},
      {Mult({{"1", "2"}, {"4", "5"}}), "[1..2, 4..5]", false, true},
      {Mult({{"1", "1"}, {"3", "n"}}), "[*]", false, false},
      {Mult({{"1", "1"}, {"1", "1"}}), "[1..1, 1..1]", false, false},
      {Mult({{"0", "a!b"}}), "[0..a!!b]", true, true},
  };
  for (const MultiplicityCase& c : cases) {
    EXPECT_EQ(Captured([&](Composer& out) { WriteMultiplicity(out, c.multiplicity); }), c.text);
    EXPECT_EQ(IsOptional(c.multiplicity), c.optional) << c.text;
    EXPECT_EQ(IsMany(c.multiplicity), c.many) << c.text;
  }
}

// The description names the head class with its multiplicity, then the tail's.
TEST_F(RelationsTest, LinkDescriptions) {
  Diagram diagram;
  PClassType order = diagram.AddClass("Order");
  PClassType customer = diagram.AddClass("customer");
  PRelType single = diagram.Relate(order, customer, 1, 2);
  PRelType many = diagram.Relate(order, customer, 1, 2, '.', "items");
  many->SetMult2(Mult({{"0", "n"}}));
  many->SetMult1(Mult({{"0", "1"}}));
  PRelType backwards = diagram.Relate(order, customer, 1, 1, '-', "back");
  backwards->SetMult1(Mult({{"1", "1"}}));
  backwards->SetMult2(Mult({{"2", "3"}}));
  PRelType loose = diagram.Relate(order, nullptr, 1, 2);
  diagram.Connect();

  EXPECT_EQ(Captured([&](Composer& out) {
              for (const PElement& link : ElementsOf(LinkRelations(order)))
                WriteLinkDescription(out, link);
            }),
            "  customer\tCustomer constraint: single instance of this side of link. "
            "Description...\r\n"
            "  items\tCustomer[*] constraint: [0..1] of this side of link. Description...\r\n"
            "  back\tCustomer constraint: [2..3] of this side of link. Description...\r\n"
            "  noNameLink\tNO_ELEMENT constraint: single instance of this side of link. "
            "Description...\r\n");
}

// Links give a variable to their tail class only; constraint relations are
// everything but two-headed ones and one-way arrows.
TEST_F(RelationsTest, RelationGroupsAndConstraintLines) {
  Diagram diagram;
  PClassType a = diagram.AddClass("A");
  PClassType b = diagram.AddClass("B");
  diagram.Relate(a, b, 1, 2, '-', "arrow");
  diagram.Relate(a, b, 0, 0, '-', "line");
  diagram.Relate(a, b, 1, 3, '-', "both");
  diagram.Relate(a, b, 2, 1, '-', "general");
  diagram.Relate(a, b, 3, 2, '-', "whole");
  diagram.Relate(a, b, 7, 2, '-', "many");
  diagram.Relate(b, nullptr, 4, 2, '-', "loose");
  diagram.Connect();

  auto constraints = [](const PClassType& cls) {
    return Captured([&](Composer& out) {
      for (const PElement& link : ElementsOf(LinkRelations(cls))) WriteConstraintLine(out, link);
      for (const PElement& other : ElementsOf(ConstraintRelations(cls)))
        WriteConstraintLine(out, other);
    });
  };
  EXPECT_EQ(constraints(a),
            "\t\"#arrow navigates from: #A to: #B\"\r\n"
            "\t\"#line associates from: #A to: #B\"\r\n"
            "\t\"#both navigates from: #A to: #B\"\r\n"
            "\t\"#whole aggregates from: #A to: #B\"\r\n"
            "\t\"#many composes from: #A to: #B\"\r\n");
  EXPECT_EQ(constraints(b),
            "\t\"#line associates from: #A to: #B\"\r\n"
            "\t\"#both navigates from: #A to: #B\"\r\n"
            "\t\"#whole aggregates from: #A to: #B\"\r\n"
            "\t\"#many composes from: #A to: #B\"\r\n"
            "\t\"#loose composes from: #B to: #NO_ELEMENT\"\r\n");
  EXPECT_EQ(LinkRelations(b)->Count(), 0);
}

}  // namespace

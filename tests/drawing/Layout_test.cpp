// The layout of drawings of every shape: no box over another, every relation between its
// boxes' borders and through no box.
#include "drawing/Layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LayoutCheck.h"

namespace {

// A box named name whose text is lines lines of width characters.
Box TextBox(const std::string& name, std::size_t width, std::size_t lines) {
  Box box;
  box.name = name;
  box.attributes.assign(lines, std::string(width, 'x'));
  return box;
}

struct Link {
  std::size_t from;
  std::size_t to;
  bool treeEdge;
};

struct Case {
  const char* what;
  std::vector<Box> boxes;
  std::vector<Link> links;
};

TEST(Layout, NoBoxOverAnotherAndNoRelationThroughOne) {
  std::vector<Box> row;
  for (int i = 0; i < 12; ++i)
    row.push_back(TextBox("R" + std::to_string(i), 20 + 3 * i, 2 + i % 4));
  std::vector<Link> rows = {{0, 11, false}, {11, 0, false}, {5, 5, false}, {3, 4, false}};
  for (std::size_t i = 1; i < 6; ++i) rows.push_back({0, i, true});
  std::vector<Box> hub = {TextBox("Hub", 10, 1)};
  std::vector<Link> spokes;
  for (std::size_t i = 1; i <= 30; ++i) {
    hub.push_back(TextBox("S" + std::to_string(i), 4 + i % 7, 1 + i % 3));
    spokes.push_back({i % 3 == 0 ? i : 0, i % 3 == 0 ? 0 : i, i % 5 == 0});
  }
  const Case cases[] = {
      // A chain of superclasses, and relations that skip rows both ways.
      {"chain",
       {TextBox("A", 12, 3), TextBox("B", 30, 1), TextBox("C", 5, 8)},
       {{0, 1, true}, {1, 2, true}, {2, 0, false}, {0, 2, false}, {1, 1, false}}},
      // Siblings wider than their parent, relations among them and to their parent.
      {"siblings",
       {TextBox("P", 3, 1), TextBox("C1", 40, 2), TextBox("C2", 8, 6), TextBox("C3", 25, 1),
        TextBox("G", 60, 1)},
       {{0, 1, true},
        {0, 2, true},
        {0, 3, true},
        {2, 4, true},
        {1, 3, false},
        {3, 1, false},
        {4, 0, false},
        {0, 4, false}}},
      // More trees than a row holds, relations from the first row to the last and back.
      {"rows", row, rows},
      // Superclasses that come back round: a tree edge that would close the circle is
      // drawn as any other relation.
      {"circle", {TextBox("A", 5, 1), TextBox("B", 5, 1)}, {{0, 1, true}, {1, 0, true}}},
      // Many ends on one box's sides.
      {"hub", hub, spokes},
  };
  for (const Case& c : cases) {
    Drawing drawing;
    drawing.boxes = c.boxes;
    for (const Link& link : c.links) {
      Relation relation;
      relation.from = link.from;
      relation.to = link.to;
      relation.lineType = "->";
      relation.treeEdge = link.treeEdge;
      drawing.relations.push_back(relation);
    }
    LayOut(drawing);
    EXPECT_EQ(LayoutFaults(drawing), "") << c.what;
  }
}

}  // namespace

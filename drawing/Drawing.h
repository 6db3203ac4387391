// A class diagram drawn from code: its class boxes, its relations and where they stand.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;

  bool operator==(const Point&) const = default;
};

// A class element. Its panel: the stereotype line, the name line, then "--" and the
// attribute lines, then "--" and the operation lines. Texts are plain; the file escapes
// them.
struct Box {
  std::string stereotype;  // "external", or empty
  std::string name;
  bool abstract = false;  // the name written in slashes
  std::vector<std::string> attributes;
  std::vector<std::string> operations;
  // Set by the layout: the top left corner and the size, at zoom level 10.
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t w = 0;
  std::int32_t h = 0;
};

// A relation element, from the box at its start point to the box at its end point.
struct Relation {
  std::size_t from = 0;
  std::size_t to = 0;
  std::string lineType;            // what follows "lt=": "<<-", "->", ...
  std::vector<std::string> lines;  // the panel's further lines: "m1=*", "r2=items", ...
  // A generalisation to the superclass that the class is declared under, which the
  // layout draws as an edge of the tree of classes.
  bool treeEdge = false;
  // Set by the layout: the points in order, at zoom level 10.
  std::vector<Point> points;
};

struct Drawing {
  std::vector<Box> boxes;  // in the order the file lists them
  std::vector<Relation> relations;
};

// Calls visit with each line of the box's panel, in order.
template <class Visit>
void VisitPanelLines(const Box& box, Visit visit) {
  if (!box.stereotype.empty()) {
    std::string stereotype = "<<";
    visit(stereotype.append(box.stereotype).append(">>"));
  }
  if (box.abstract) {
    std::string name = "/";
    visit(name.append(box.name).append("/"));
  } else {
    visit(box.name);
  }
  if (box.attributes.empty() && box.operations.empty()) return;
  visit("--");
  for (const std::string& line : box.attributes) visit(line);
  if (box.operations.empty()) return;
  visit("--");
  for (const std::string& line : box.operations) visit(line);
}

// Where the boxes of a drawing stand and how its relations run between them.
#include "drawing/Layout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "model/Charset.h"
#include "model/Error.h"

namespace {

constexpr std::int32_t kGrid = 10;
constexpr std::int32_t kEdge = 10;         // from the diagram's edge to the first box
constexpr std::int32_t kBoxGap = 40;       // between boxes side by side
constexpr std::int32_t kBandGap = 60;      // between rows of boxes
constexpr std::int32_t kBusOffset = 20;    // from a row's gap top to its tree edges
constexpr std::int32_t kLaneOffset = 40;   // and to its first lane
constexpr std::int32_t kLaneSpacing = 10;  // between lanes, across or along
constexpr std::int32_t kColumnOffset = 40;
constexpr std::int32_t kShelfWidth = 1200;  // the least a row of trees may fill
constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

// The largest extent a drawing may take: every coordinate and every sum of two stays
// within 32 bits, as UMLet and the reader keep them.
constexpr std::int64_t kLargest = std::int64_t{1} << 30;

std::int64_t Fitting(std::int64_t extent) {
  if (extent > kLargest) throw GenericError("the drawing is too large for UMLet's coordinates");
  return extent;
}

std::int32_t OnGrid(std::int64_t length) {
  return static_cast<std::int32_t>(Fitting((length + kGrid - 1) / kGrid * kGrid));
}

// The tree: each box's superclass box, by the tree edges, with no circle.
struct Forest {
  std::vector<std::size_t> parent;
  std::vector<std::vector<std::size_t>> children;
  std::vector<std::size_t> roots;
};

Forest MakeForest(Drawing& drawing) {
  const std::size_t count = drawing.boxes.size();
  Forest forest{
      std::vector<std::size_t>(count, kNone), std::vector<std::vector<std::size_t>>(count), {}};
  std::vector<Relation*> edgeTo(count, nullptr);
  for (Relation& relation : drawing.relations) {
    if (!relation.treeEdge) continue;
    if (forest.parent[relation.to] != kNone || relation.from == relation.to) {
      relation.treeEdge = false;
      continue;
    }
    forest.parent[relation.to] = relation.from;
    edgeTo[relation.to] = &relation;
  }
  // An edge that closes a circle is drawn as any other relation. Each box is walked up
  // from once, so that a chain of thousands costs no more than its length.
  enum : unsigned char { kUnseen, kOnPath, kDone };
  std::vector<unsigned char> seen(count, kUnseen);
  std::vector<std::size_t> path;
  for (std::size_t start = 0; start < count; ++start) {
    std::size_t box = start;
    for (; box != kNone && seen[box] == kUnseen; box = forest.parent[box]) {
      seen[box] = kOnPath;
      path.push_back(box);
    }
    if (box != kNone && seen[box] == kOnPath) {
      forest.parent[path.back()] = kNone;
      edgeTo[path.back()]->treeEdge = false;
    }
    for (const std::size_t walked : path) seen[walked] = kDone;
    path.clear();
  }
  for (std::size_t box = 0; box < count; ++box) {
    if (forest.parent[box] == kNone) {
      forest.roots.push_back(box);
    } else {
      forest.children[forest.parent[box]].push_back(box);
    }
  }
  return forest;
}

// The boxes of each tree, each before its children, without recursion: a chain of
// superclasses may be thousands long.
std::vector<std::size_t> PreOrder(const Forest& forest, std::size_t root) {
  std::vector<std::size_t> order;
  std::vector<std::size_t> stack = {root};
  while (!stack.empty()) {
    const std::size_t box = stack.back();
    stack.pop_back();
    order.push_back(box);
    const std::vector<std::size_t>& children = forest.children[box];
    stack.insert(stack.end(), children.rbegin(), children.rend());
  }
  return order;
}

// Where each box stands: its row of trees, its depth in its tree, and its left.
struct Placement {
  std::vector<std::size_t> band;  // the row of boxes it stands in, from the top
  std::vector<std::int64_t> left;
  std::vector<std::int32_t> bandHeight;
  std::int64_t right = 0;  // of the rightmost box
};

Placement Place(const Drawing& drawing, const Forest& forest) {
  const std::size_t count = drawing.boxes.size();
  std::vector<std::int64_t> span(count, 0);  // of the box's subtree
  std::vector<std::size_t> depth(count, 0);
  std::vector<std::vector<std::size_t>> trees;
  std::int64_t widest = 0;
  double area = 0;
  for (const std::size_t root : forest.roots) {
    trees.push_back(PreOrder(forest, root));
    for (auto box = trees.back().rbegin(); box != trees.back().rend(); ++box) {
      std::int64_t children = 0;
      for (const std::size_t child : forest.children[*box]) children += span[child] + kBoxGap;
      if (children > 0) children -= kBoxGap;
      span[*box] = std::max<std::int64_t>(drawing.boxes[*box].w, children);
      area +=
          static_cast<double>(drawing.boxes[*box].w + kBoxGap) * (drawing.boxes[*box].h + kBandGap);
    }
    widest = std::max(widest, span[root]);
  }
  // Rows of trees about as wide as the drawing is high.
  const auto shelfWidth =
      std::max<std::int64_t>({widest, kShelfWidth, static_cast<std::int64_t>(std::sqrt(area))});
  Placement placement{
      std::vector<std::size_t>(count, 0), std::vector<std::int64_t>(count, 0), {}, 0};
  std::size_t firstBand = 0;   // of the row being filled
  std::size_t shelfDepth = 0;  // its deepest level
  std::int64_t cursor = kEdge;
  std::vector<std::int64_t> subtreeLeft(count, 0);
  for (const std::vector<std::size_t>& tree : trees) {
    const std::size_t root = tree.front();
    if (cursor > kEdge && cursor + span[root] > kEdge + shelfWidth) {
      firstBand += shelfDepth + 1;
      shelfDepth = 0;
      cursor = kEdge;
    }
    placement.left[root] = cursor + (span[root] - drawing.boxes[root].w) / 2;
    subtreeLeft[root] = cursor;
    for (const std::size_t box : tree) {
      if (box != root) depth[box] = depth[forest.parent[box]] + 1;
      shelfDepth = std::max(shelfDepth, depth[box]);
      placement.band[box] = firstBand + depth[box];
      std::int64_t children = -kBoxGap;
      for (const std::size_t child : forest.children[box]) children += span[child] + kBoxGap;
      std::int64_t at = subtreeLeft[box] + (span[box] - children) / 2;
      for (const std::size_t child : forest.children[box]) {
        subtreeLeft[child] = at;
        placement.left[child] = at + (span[child] - drawing.boxes[child].w) / 2;
        at += span[child] + kBoxGap;
      }
      placement.right = std::max(placement.right, placement.left[box] + drawing.boxes[box].w);
    }
    cursor += span[root] + kBoxGap;
  }
  placement.bandHeight.assign(count == 0 ? 0 : firstBand + shelfDepth + 1, 0);
  for (std::size_t box = 0; box < count; ++box) {
    std::int32_t& height = placement.bandHeight[placement.band[box]];
    height = std::max(height, drawing.boxes[box].h);
  }
  return placement;
}

// One end of a relation on a box's top or bottom side.
struct End {
  std::size_t relation;
  bool start;
};

// How a relation runs: out of its first box's top or bottom, along a lane of the gap
// beside that box's row, up or down the column right of every box if it must, along a
// lane of the gap beside the other box's row, into that box.
struct Route {
  bool leavesBottom = false;
  bool entersBottom = false;
  std::size_t firstGap = 0;  // gaps are numbered by the row they stand above
  std::size_t firstLane = 0;
  bool column = false;
  std::size_t columnLane = 0;
  std::size_t secondGap = 0;
  std::size_t secondLane = 0;
};

class Router {
 public:
  Router(Drawing& drawing, const Placement& placement)
      : drawing_(drawing), placement_(placement), lanes_(placement.bandHeight.size() + 1, 0) {}

  void Run();

 private:
  Route Plan(const Relation& relation);
  std::int32_t SlotX(std::size_t relation, bool start) const;
  std::int32_t LaneY(std::size_t gap, std::size_t lane) const;

  Drawing& drawing_;
  const Placement& placement_;
  std::vector<std::size_t> lanes_;  // per gap
  std::size_t columnLanes_ = 0;
  std::vector<std::int32_t> gapTop_;  // per gap
  // Per relation end (2r the start, 2r + 1 the end): its x on its box's side.
  std::vector<std::int32_t> slots_;
};

Route Router::Plan(const Relation& relation) {
  Route route;
  const std::size_t from = placement_.band[relation.from];
  const std::size_t to = placement_.band[relation.to];
  route.leavesBottom = to >= from;
  route.entersBottom = to <= from;
  route.firstGap = route.leavesBottom ? from + 1 : from;
  route.firstLane = lanes_[route.firstGap]++;
  route.secondGap = route.entersBottom ? to + 1 : to;
  if (route.secondGap == route.firstGap) {
    route.secondLane = route.firstLane;
    return route;
  }
  route.column = true;
  route.columnLane = columnLanes_++;
  route.secondLane = lanes_[route.secondGap]++;
  return route;
}

std::int32_t Router::SlotX(std::size_t relation, bool start) const {
  return slots_[2 * relation + (start ? 0 : 1)];
}

std::int32_t Router::LaneY(std::size_t gap, std::size_t lane) const {
  return gapTop_[gap] + kLaneOffset + static_cast<std::int32_t>(lane) * kLaneSpacing;
}

void Router::Run() {
  std::vector<Relation>& relations = drawing_.relations;
  std::vector<Box>& boxes = drawing_.boxes;
  std::vector<Route> routes(relations.size());
  // The ends on each side of each box (top, bottom), spread along it; a tree edge ends in
  // the middle, which the others then leave to it.
  std::vector<std::vector<End>> sides(2 * boxes.size());
  std::vector<bool> treeEdgeAt(2 * boxes.size(), false);
  for (std::size_t r = 0; r < relations.size(); ++r) {
    if (relations[r].treeEdge) {
      treeEdgeAt[2 * relations[r].from + 1] = true;
      treeEdgeAt[2 * relations[r].to] = true;
      continue;
    }
    routes[r] = Plan(relations[r]);
    sides[2 * relations[r].from + (routes[r].leavesBottom ? 1 : 0)].push_back({r, true});
    sides[2 * relations[r].to + (routes[r].entersBottom ? 1 : 0)].push_back({r, false});
  }
  // The rows and the gaps between them, top down.
  const std::size_t bands = placement_.bandHeight.size();
  gapTop_.assign(bands + 1, 0);
  std::vector<std::int32_t> bandTop(bands, 0);
  std::int64_t y = kEdge;
  for (std::size_t gap = 0; gap <= bands; ++gap) {
    gapTop_[gap] = static_cast<std::int32_t>(y);
    const bool inner = gap > 0 && gap < bands;
    y += lanes_[gap] > 0
             ? kLaneOffset + static_cast<std::int64_t>(lanes_[gap]) * kLaneSpacing + kBusOffset
         : inner ? kBandGap
                 : 0;
    if (gap < bands) {
      bandTop[gap] = static_cast<std::int32_t>(y);
      y += placement_.bandHeight[gap];
    }
  }
  Fitting(y);
  Fitting(placement_.right + kColumnOffset +
          static_cast<std::int64_t>(columnLanes_) * kLaneSpacing);
  for (std::size_t box = 0; box < boxes.size(); ++box) {
    boxes[box].x = static_cast<std::int32_t>(placement_.left[box]);
    boxes[box].y = bandTop[placement_.band[box]];
  }
  slots_.assign(2 * relations.size(), 0);
  for (std::size_t side = 0; side < sides.size(); ++side) {
    const Box& box = boxes[side / 2];
    const auto count = static_cast<std::int64_t>(sides[side].size());
    const std::int64_t middle = treeEdgeAt[side] ? 1 : 0;
    for (std::int64_t i = 0; i < count; ++i) {
      const End& end = sides[side][static_cast<std::size_t>(i)];
      const std::int64_t slot = i + 1 + (2 * i >= count ? middle : 0);
      slots_[2 * end.relation + (end.start ? 0 : 1)] =
          box.x + static_cast<std::int32_t>(slot * box.w / (count + 1 + middle));
    }
  }
  const std::int32_t column = static_cast<std::int32_t>(placement_.right) + kColumnOffset;
  for (std::size_t r = 0; r < relations.size(); ++r) {
    Relation& relation = relations[r];
    const Box& from = boxes[relation.from];
    const Box& to = boxes[relation.to];
    std::vector<Point>& points = relation.points;
    points.clear();
    if (relation.treeEdge) {
      const std::int32_t parentX = from.x + from.w / 2;
      const std::int32_t childX = to.x + to.w / 2;
      points.push_back({parentX, from.y + from.h});
      if (parentX != childX) {
        const std::int32_t bus = gapTop_[placement_.band[relation.from] + 1] + kBusOffset;
        points.push_back({parentX, bus});
        points.push_back({childX, bus});
      }
      points.push_back({childX, to.y});
      continue;
    }
    const Route& route = routes[r];
    const std::int32_t startX = SlotX(r, true);
    const std::int32_t endX = SlotX(r, false);
    const std::int32_t first = LaneY(route.firstGap, route.firstLane);
    const std::int32_t second = LaneY(route.secondGap, route.secondLane);
    points.push_back({startX, route.leavesBottom ? from.y + from.h : from.y});
    points.push_back({startX, first});
    if (route.column) {
      const std::int32_t x = column + static_cast<std::int32_t>(route.columnLane) * kLaneSpacing;
      points.push_back({x, first});
      points.push_back({x, second});
    }
    points.push_back({endX, second});
    points.push_back({endX, route.entersBottom ? to.y + to.h : to.y});
  }
}

}  // namespace

void SizeToText(Box& box) {
  std::size_t widest = 0;
  std::int64_t lines = 0;
  VisitPanelLines(box, [&](std::string_view line) {
    widest = std::max(widest, CharacterCount(line));
    ++lines;
  });
  box.w = OnGrid(static_cast<std::int64_t>(widest) * kCharacterWidth + 2 * kTextMargin);
  box.h = OnGrid(lines * kLineHeight + 2 * kTextMargin);
}

void LayOut(Drawing& drawing) {
  for (Box& box : drawing.boxes) SizeToText(box);
  const Forest forest = MakeForest(drawing);
  const Placement placement = Place(drawing, forest);
  Router(drawing, placement).Run();
}

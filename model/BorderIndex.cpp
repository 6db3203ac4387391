// Class box borders, for finding the boxes whose border holds a point or passes near it.
#include "model/BorderIndex.h"

#include <cstddef>

namespace {

// Left and right edges span top to bottom; top and bottom edges span left to
// right. A box of zero width or height has one edge where it would have two.
std::vector<Edge> Edges(const std::vector<ClassBox>& boxes, bool vertical) {
  std::vector<Edge> edges;
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const ClassBox& box = boxes[i];
    int32_t owner = static_cast<int32_t>(i);
    int32_t first = vertical ? box.left : box.top;
    int32_t second = vertical ? box.right : box.bottom;
    int32_t from = vertical ? box.top : box.left;
    int32_t to = vertical ? box.bottom : box.right;
    edges.push_back({first, from, to, owner});
    if (second != first) edges.push_back({second, from, to, owner});
  }
  return edges;
}

}  // namespace

BorderIndex::BorderIndex(const std::vector<ClassBox>& boxes)
    : vertical_(Edges(boxes, true)), horizontal_(Edges(boxes, false)) {}

void BorderIndex::BoxesWithin(LinePoint point, int32_t reach, std::vector<int32_t>& boxes) const {
  vertical_.OwnersWithin(point.x, point.y, reach, boxes);
  horizontal_.OwnersWithin(point.y, point.x, reach, boxes);
}

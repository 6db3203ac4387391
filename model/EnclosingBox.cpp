// For points, the box around each whose border is nearest.
#include "model/EnclosingBox.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <tuple>
#include <utility>

namespace {

// A box or a point turned so that one side of the boxes becomes their left side:
// across swaps the axes, mirrored turns the horizontal one round. In 64 bits, so
// that mirroring cannot overflow.
struct TurnedBox {
  int64_t left, right, top, bottom;
  int32_t place;
};

struct TurnedPoint {
  int64_t x, y;
  std::size_t index;
};

TurnedBox Turn(const ClassBox& box, bool across, bool mirrored, int32_t place) {
  const int64_t left = across ? box.top : box.left;
  const int64_t right = across ? box.bottom : box.right;
  const int64_t top = across ? box.left : box.top;
  const int64_t bottom = across ? box.right : box.bottom;
  if (mirrored) return {-right, -left, top, bottom, place};
  return {left, right, top, bottom, place};
}

TurnedPoint Turn(LinePoint point, bool across, bool mirrored, std::size_t index) {
  const int64_t x = across ? point.y : point.x;
  const int64_t y = across ? point.x : point.y;
  return {mirrored ? -x : x, y, index};
}

// The best box found for a point so far: the nearer side first, then the place.
struct Nearest {
  int64_t distance = std::numeric_limits<int64_t>::max();
  int32_t place = -1;
  bool operator<(const Nearest& other) const {
    return std::tie(distance, place) < std::tie(other.distance, other.place);
  }
};

// For each point, among the boxes holding it, the one whose left side is
// nearest. The points are swept from left to right; a box joins when the sweep
// reaches its left side and is dropped once the sweep has passed its right side.
// A segment tree over the points' rows keeps, in each node, a stack of the boxes
// that cover the node's rows. Boxes join in order of their left side, and among
// equal sides latest place first, so each stack's top is its best box once the
// passed ones are popped.
void NearestLeftSides(std::vector<TurnedBox> boxes, std::vector<TurnedPoint> points,
                      std::vector<Nearest>& nearest) {
  std::vector<int64_t> rows;
  for (const TurnedPoint& point : points) rows.push_back(point.y);
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  const std::size_t leaves = rows.size();
  std::vector<std::vector<std::size_t>> stacks(2 * leaves);

  std::sort(boxes.begin(), boxes.end(), [](const TurnedBox& a, const TurnedBox& b) {
    return std::tie(a.left, b.place) < std::tie(b.left, a.place);
  });
  std::sort(points.begin(), points.end(),
            [](const TurnedPoint& a, const TurnedPoint& b) { return a.x < b.x; });
  std::size_t joined = 0;
  for (const TurnedPoint& point : points) {
    for (; joined < boxes.size() && boxes[joined].left <= point.x; ++joined) {
      const TurnedBox& box = boxes[joined];
      if (box.right < point.x) continue;  // passed already, for this and every later point
      std::size_t low = static_cast<std::size_t>(
          std::lower_bound(rows.begin(), rows.end(), box.top) - rows.begin());
      std::size_t high = static_cast<std::size_t>(
          std::upper_bound(rows.begin(), rows.end(), box.bottom) - rows.begin());
      // The nodes that together cover exactly the rows low..high-1.
      for (low += leaves, high += leaves; low < high; low /= 2, high /= 2) {
        if (low % 2 == 1) stacks[low++].push_back(joined);
        if (high % 2 == 1) stacks[--high].push_back(joined);
      }
    }
    const std::size_t row = static_cast<std::size_t>(
        std::lower_bound(rows.begin(), rows.end(), point.y) - rows.begin());
    for (std::size_t node = row + leaves; node >= 1; node /= 2) {
      std::vector<std::size_t>& stack = stacks[node];
      while (!stack.empty() && boxes[stack.back()].right < point.x) stack.pop_back();
      if (stack.empty()) continue;
      const TurnedBox& box = boxes[stack.back()];
      nearest[point.index] = std::min(nearest[point.index], Nearest{point.x - box.left, box.place});
    }
  }
}

}  // namespace

// The distance to the nearest side is the least of the distances to each side,
// so each side is swept on its own.
std::vector<int32_t> NearestEnclosingBoxes(const std::vector<ClassBox>& boxes,
                                           const std::vector<LinePoint>& points) {
  std::vector<Nearest> nearest(points.size());
  for (const bool across : {false, true}) {
    for (const bool mirrored : {false, true}) {
      std::vector<TurnedBox> turnedBoxes;
      turnedBoxes.reserve(boxes.size());
      for (std::size_t i = 0; i < boxes.size(); ++i) {
        turnedBoxes.push_back(Turn(boxes[i], across, mirrored, static_cast<int32_t>(i)));
      }
      std::vector<TurnedPoint> turnedPoints;
      turnedPoints.reserve(points.size());
      for (std::size_t i = 0; i < points.size(); ++i) {
        turnedPoints.push_back(Turn(points[i], across, mirrored, i));
      }
      NearestLeftSides(std::move(turnedBoxes), std::move(turnedPoints), nearest);
    }
  }
  std::vector<int32_t> places;
  places.reserve(points.size());
  for (const Nearest& found : nearest) places.push_back(found.place);
  return places;
}

// The near rule: the class box that a relation end on no class border belongs to.
#include "model/NearClass.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <numeric>
#include <utility>

#include "model/BorderIndex.h"
#include "model/EnclosingBox.h"

namespace {

// Up to (2^32 - 1)^2, which needs all 64 bits.
uint64_t Area(const ClassBox& box) {
  return static_cast<uint64_t>(int64_t{box.right} - box.left) *
         static_cast<uint64_t>(int64_t{box.bottom} - box.top);
}

}  // namespace

bool CanBeNear(int32_t x, int32_t y, int32_t w, int32_t h) {
  constexpr int64_t kLast = std::numeric_limits<int32_t>::max();
  return w >= 0 && h >= 0 && int64_t{x} + w <= kLast && int64_t{y} + h <= kLast;
}

// How far the point lies beyond the box on each axis, negative inside: outside,
// the larger of the two is the distance; inside, the nearer side is the one
// the point lies least far within.
int64_t BorderDistance(const ClassBox& box, LinePoint point) {
  const int64_t beyondX = std::max(int64_t{box.left} - point.x, int64_t{point.x} - box.right);
  const int64_t beyondY = std::max(int64_t{box.top} - point.y, int64_t{point.y} - box.bottom);
  const int64_t beyond = std::max(beyondX, beyondY);
  return beyond >= 0 ? beyond : -beyond;
}

// The boxes around a point are found by a sweep, the boxes with a side within
// reach through their edges; together they are all the candidates. Both search
// the boxes ranked by area and place, so that a lower rank wins a tie.
std::vector<int32_t> NearestBoxes(const std::vector<ClassBox>& boxes,
                                  const std::vector<LinePoint>& points) {
  std::vector<int32_t> placeOfRank(boxes.size());
  std::iota(placeOfRank.begin(), placeOfRank.end(), 0);
  std::stable_sort(placeOfRank.begin(), placeOfRank.end(), [&boxes](int32_t a, int32_t b) {
    return Area(boxes[static_cast<std::size_t>(a)]) < Area(boxes[static_cast<std::size_t>(b)]);
  });
  std::vector<ClassBox> ranked;
  ranked.reserve(boxes.size());
  for (const int32_t place : placeOfRank) ranked.push_back(boxes[static_cast<std::size_t>(place)]);

  const std::vector<int32_t> enclosing = NearestEnclosingBoxes(ranked, points);
  const BorderIndex index(ranked);
  std::vector<int32_t> nearest(points.size(), -1);
  std::vector<int32_t> found;
  for (std::size_t i = 0; i < points.size(); ++i) {
    found.clear();
    if (enclosing[i] >= 0) found.push_back(enclosing[i]);
    index.BoxesWithin(points[i], kNearReach, found);
    std::pair<int64_t, int32_t> best{std::numeric_limits<int64_t>::max(), -1};
    for (const int32_t rank : found) {
      best =
          std::min(best, {BorderDistance(ranked[static_cast<std::size_t>(rank)], points[i]), rank});
    }
    if (best.second >= 0) nearest[i] = placeOfRank[static_cast<std::size_t>(best.second)];
  }
  return nearest;
}

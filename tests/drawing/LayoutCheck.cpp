// What a layout must never do, as text that names each fault.
#include "LayoutCheck.h"

#include <algorithm>

#include "model/Connection.h"

namespace {

bool OnBorderOf(const Point& point, const Box& box) {
  return OnBorder(point.x, point.y, box.x, box.x + box.w, box.y, box.y + box.h);
}

// Whether the piece from a to b, horizontal or vertical, passes through the box's inside.
bool Crosses(const Point& a, const Point& b, const Box& box) {
  const auto inside = [](std::int32_t at, std::int32_t low, std::int32_t high) {
    return low < at && at < high;
  };
  const auto overlaps = [](std::int32_t from, std::int32_t to, std::int32_t low,
                           std::int32_t high) {
    return std::max(from, to) > low && std::min(from, to) < high;
  };
  if (a.x == b.x)
    return inside(a.x, box.x, box.x + box.w) && overlaps(a.y, b.y, box.y, box.y + box.h);
  return inside(a.y, box.y, box.y + box.h) && overlaps(a.x, b.x, box.x, box.x + box.w);
}

}  // namespace

std::string LayoutFaults(const Drawing& drawing) {
  std::string faults;
  const std::vector<Box>& boxes = drawing.boxes;
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    for (std::size_t j = i + 1; j < boxes.size(); ++j) {
      const Box& a = boxes[i];
      const Box& b = boxes[j];
      if (a.x <= b.x + b.w && b.x <= a.x + a.w && a.y <= b.y + b.h && b.y <= a.y + a.h)
        faults += a.name + " touches " + b.name + "\n";
    }
  }
  for (const Relation& relation : drawing.relations) {
    const std::string name = boxes[relation.from].name + " - " + boxes[relation.to].name;
    const std::vector<Point>& points = relation.points;
    if (points.size() < 2) {
      faults += name + " has no line\n";
      continue;
    }
    if (!OnBorderOf(points.front(), boxes[relation.from])) faults += name + " starts off its box\n";
    if (!OnBorderOf(points.back(), boxes[relation.to])) faults += name + " ends off its box\n";
    for (std::size_t b = 0; b < boxes.size(); ++b) {
      if (b != relation.from && OnBorderOf(points.front(), boxes[b]))
        faults += name + " starts on " + boxes[b].name + "\n";
      if (b != relation.to && OnBorderOf(points.back(), boxes[b]))
        faults += name + " ends on " + boxes[b].name + "\n";
    }
    for (std::size_t p = 1; p < points.size(); ++p) {
      if (points[p - 1].x != points[p].x && points[p - 1].y != points[p].y)
        faults += name + " runs askew\n";
      for (const Box& box : boxes)
        if (Crosses(points[p - 1], points[p], box)) faults += name + " crosses " + box.name + "\n";
    }
  }
  return faults;
}

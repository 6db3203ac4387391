// Tests of the near rule: which boxes take part, the distance to a border, the choice of box.
#include "model/NearClass.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

// Negative sizes and sides past 32 bits leave a class to the exact rule alone.
TEST(NearClassTest, CanBeNear) {
  struct Case {
    int32_t x, y, w, h;
    bool can;
  };
  const std::vector<Case> cases = {
      {0, 0, 100, 60, true},           {0, 0, 0, 0, true},          {0, 0, -1, 60, false},
      {0, 0, 100, -1, false},          {kMax - 10, 0, 10, 5, true}, {kMax - 10, 0, 11, 5, false},
      {0, kMax - 5, 5, 5, true},       {0, kMax - 5, 1, 6, false},  {kMin, kMin, kMax, kMax, true},
      {kMin, kMin, kMin, kMin, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CanBeNear(c.x, c.y, c.w, c.h), c.can)
        << c.x << "," << c.y << "," << c.w << "," << c.h;
  }
}

// Inside, to the nearest side; outside, the larger of the two axis distances.
TEST(NearClassTest, BorderDistance) {
  struct Case {
    ClassBox box;
    LinePoint point;
    int64_t distance;
  };
  const ClassBox box{100, 180, 50, 110};
  const std::vector<Case> cases = {
      // inside, one step from each side, and in the middle
      {box, {101, 70}, 1},
      {box, {179, 70}, 1},
      {box, {140, 51}, 1},
      {box, {140, 109}, 1},
      {box, {140, 80}, 30},
      {box, {110, 100}, 10},
      // on the border
      {box, {100, 70}, 0},
      {box, {180, 110}, 0},
      // outside beside a side, and off a corner
      {box, {99, 70}, 1},
      {box, {90, 70}, 10},
      {box, {89, 70}, 11},
      {box, {140, 121}, 11},
      {box, {90, 40}, 10},
      {box, {95, 39}, 11},
      {box, {190, 120}, 10},
      {box, {0, 0}, 100},
      // 64-bit differences
      {{0, kMax, 0, kMax}, {kMin, kMin}, 2147483648},
      {{kMin, -1, 0, 10}, {kMax, 5}, 2147483648},
      {{kMin, kMax - 1, kMin, kMax - 1}, {kMax, 0}, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BorderDistance(c.box, c.point), c.distance) << c.point.x << "," << c.point.y;
  }
}

// The place of the box chosen for one point; -1 for none.
TEST(NearClassTest, Choice) {
  struct Case {
    const char* what;
    std::vector<ClassBox> boxes;
    LinePoint point;
    int32_t place;
  };
  const ClassBox a{0, 100, 0, 100};
  const ClassBox big{0, 1000, 0, 1000};
  const std::vector<Case> cases = {
      {"1 off the left side", {a}, {-1, 50}, 0},
      {"10 off the bottom", {a}, {50, 110}, 0},
      {"11 off the bottom", {a}, {50, 111}, -1},
      {"10 off a corner", {a}, {-10, -10}, 0},
      {"11 off a corner on one axis", {a}, {-11, -5}, -1},
      {"deep inside", {a}, {50, 50}, 0},
      {"in two boxes, the later one's border nearer", {a, {40, 200, 40, 200}}, {45, 60}, 1},
      {"in two boxes, the earlier one's border nearer", {a, {40, 200, 40, 200}}, {90, 95}, 0},
      {"between two, equally near: the smaller wins", {a, {110, 130, 0, 100}}, {105, 50}, 1},
      {"the smaller wins when it comes first too", {{110, 130, 0, 100}, a}, {105, 50}, 0},
      {"equally near and large: the earlier wins", {{110, 210, 0, 100}, a}, {105, 50}, 0},
      {"inside one, as near to the smaller outside", {a, {100, 120, 0, 100}}, {95, 50}, 1},
      {"beside a small box inside a large one", {big, {500, 520, 500, 520}}, {525, 510}, 1},
      {"inside nested boxes: the inner", {big, {400, 600, 400, 600}}, {500, 450}, 1},
      {"deep inside beats a box out of reach", {big, {500, 520, 500, 520}}, {531, 510}, 0},
      {"a box of no size", {{50, 50, 50, 50}}, {55, 52}, 0},
      {"no box near", {a, big}, {2000, 0}, -1},
      {"reach past the 32-bit range", {{kMin, kMin + 20, kMax - 20, kMax}}, {kMin + 25, kMax}, 0},
      {"no box at all", {}, {0, 0}, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NearestBoxes(c.boxes, {c.point}), std::vector<int32_t>{c.place}) << c.what;
  }
}

// Points are answered each for itself, whatever the others are.
TEST(NearClassTest, ManyPoints) {
  const std::vector<ClassBox> boxes = {{0, 100, 0, 100}, {200, 300, 0, 100}, {40, 60, 40, 60}};
  const std::vector<LinePoint> points = {{150, 50}, {205, 50},  {50, 50}, {10, 50},
                                         {95, 50},  {290, 105}, {50, 50}, {-11, 0}};
  EXPECT_EQ(NearestBoxes(boxes, points), (std::vector<int32_t>{-1, 1, 2, 0, 0, 1, 2, -1}));
}

}  // namespace

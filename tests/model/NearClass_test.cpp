// Tests of the near rule: the distance to a border and the choice of box.
#include "model/NearClass.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

// Inside, to the nearest side; outside, the larger of the two axis distances;
// differences beyond 32 bits.
TEST(NearClassTest, BorderDistance) {
  struct Case {
    ClassBox box;
    LinePoint point;
    int64_t distance;
  };
  const ClassBox box{100, 180, 50, 110};
  const std::vector<Case> cases = {
      {box, {101, 70}, 1},
      {box, {179, 70}, 1},
      {box, {140, 109}, 1},
      {box, {140, 80}, 30},
      {box, {100, 70}, 0},
      {box, {180, 110}, 0},
      {box, {99, 70}, 1},
      {box, {89, 70}, 11},
      {box, {140, 120}, 10},
      {box, {90, 40}, 10},
      {box, {95, 39}, 11},
      {box, {0, 0}, 100},
      {{0, kMax, 0, kMax}, {kMin, kMin}, 2147483648},
      {{kMin, -1, 0, 10}, {kMax, 5}, 2147483648},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BorderDistance(c.box, c.point), c.distance) << c.point.x << "," << c.point.y;
  }
}

// The place of the box chosen for a point, -1 for none: within reach or around
// it, the nearest border, then the smaller box, then the earlier one.
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
      {"10 off the bottom", {a}, {50, 110}, 0},
      {"11 off the bottom", {a}, {50, 111}, -1},
      {"11 off a corner on one axis", {a}, {-11, -5}, -1},
      {"deep inside", {a}, {50, 50}, 0},
      {"in two boxes, the later one's border nearer", {a, {40, 200, 40, 200}}, {45, 60}, 1},
      {"in two boxes, the earlier one's border nearer", {a, {40, 200, 40, 200}}, {90, 95}, 0},
      {"equally near: the smaller, which comes later", {a, {110, 130, 0, 100}}, {105, 50}, 1},
      {"equally near and large: the earlier", {{110, 210, 0, 100}, a}, {105, 50}, 0},
      {"inside one, as near to a smaller one outside", {a, {100, 120, 0, 100}}, {95, 50}, 1},
      {"beside a small box inside a large one", {big, {500, 520, 500, 520}}, {525, 510}, 1},
      {"deep inside beats a box out of reach", {big, {500, 520, 500, 520}}, {531, 510}, 0},
      {"inside nested boxes: the inner", {big, {400, 600, 400, 600}}, {500, 450}, 1},
      {"reach past the 32-bit range", {{kMin, kMin + 20, kMax - 20, kMax}}, {kMin + 25, kMax}, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NearestBoxes(c.boxes, {c.point}), std::vector<int32_t>{c.place}) << c.what;
  }
}

}  // namespace

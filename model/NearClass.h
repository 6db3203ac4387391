// The near rule: the class box that a relation end on no class border belongs to.
#pragma once

#include <cstdint>
#include <vector>

#include "model/ElemType.h"

// How far outside a box an end may lie and still belong to it, at zoom level 10.
inline constexpr int32_t kNearReach = 10;

// Whether a class of this position and size can be near an end: its size is not
// negative, and its right and bottom sides do not wrap past 32 bits.
bool CanBeNear(int32_t x, int32_t y, int32_t w, int32_t h);

// The distance from a point to the border of a box that can be near: inside the
// box, to the nearest side; outside, the larger of the horizontal and vertical
// distances to the box.
int64_t BorderDistance(const ClassBox& box, LinePoint point);

// For each point, the place in `boxes` of the box it belongs to, or -1: among
// the boxes that, grown by kNearReach on every side, hold the point, the one
// with the nearest border, then the smaller area, then the earliest. Every box
// can be near, and no point lies on a border.
std::vector<int32_t> NearestBoxes(const std::vector<ClassBox>& boxes,
                                  const std::vector<LinePoint>& points);

// For points, the box around each whose border is nearest.
#pragma once

#include <cstdint>
#include <vector>

#include "model/ElemType.h"

// For each point, the place in `boxes` of the box that holds it, border
// included, whose border is nearest to it (the distance to its nearest side);
// among equally near boxes the earliest; -1 where no box holds the point. No
// box's right or bottom lies before its left or top. Takes time near linear in
// the number of boxes and points, however the boxes nest or overlap.
std::vector<int32_t> NearestEnclosingBoxes(const std::vector<ClassBox>& boxes,
                                           const std::vector<LinePoint>& points);

// Class box borders, for finding the boxes whose border holds a point or passes near it.
#pragma once

#include <cstdint>
#include <vector>

#include "model/EdgeIndex.h"
#include "model/ElemType.h"

// The boxes are numbered by their place in the list the index was made from.
class BorderIndex {
 public:
  explicit BorderIndex(const std::vector<ClassBox>& boxes);

  // Appends the boxes with a border point whose horizontal and vertical
  // distances to the point are both within reach; with reach 0, the boxes whose
  // border holds the point. A box may come more than once.
  void BoxesWithin(LinePoint point, int32_t reach, std::vector<int32_t>& boxes) const;

 private:
  EdgeIndex vertical_;
  EdgeIndex horizontal_;
};

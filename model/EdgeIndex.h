// Box edges by coordinate, for finding the boxes whose border holds a point or passes near it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// An edge at coordinate `at` of one axis, covering from..to (inclusive, signed)
// of the other axis; owner is the number of the box it belongs to.
struct Edge {
  int32_t at;
  int32_t from;
  int32_t to;
  int32_t owner;
};

// Answers, for a coordinate and a position on the other axis, the owners of the
// edges at that coordinate whose span holds the position, or of the edges that
// come within a reach of that point. A query costs a logarithm per edge found,
// plus one per coordinate within reach that has edges, however many share it.
class EdgeIndex {
 public:
  explicit EdgeIndex(std::vector<Edge> edges);

  // Appends, in no particular order, the owners of the edges whose coordinate
  // lies within reach of `at` and whose span, grown by reach at both ends, holds
  // the position; a reach of 0 asks for the edges through the point.
  void OwnersWithin(int32_t at, int32_t position, int32_t reach,
                    std::vector<int32_t>& owners) const;

 private:
  // The edges at one coordinate: a run of edges_ sorted by `from`, and a
  // segment tree over it of the largest `to` below each node.
  struct Group {
    int32_t at;
    std::size_t begin;
    std::size_t count;
    std::size_t tree;    // where its tree starts in maxTo_
    std::size_t leaves;  // count rounded up to a power of two
  };

  // The owners of the group's edges with from <= firstFrom and to >= lastTo.
  void OwnersSpanning(const Group& group, int64_t firstFrom, int64_t lastTo,
                      std::vector<int32_t>& owners) const;

  std::vector<Edge> edges_;
  std::vector<Group> groups_;
  std::vector<int32_t> maxTo_;
};

// Box edges by coordinate, for finding the boxes whose border holds a point or passes near it.
#include "model/EdgeIndex.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <limits>
#include <tuple>

EdgeIndex::EdgeIndex(std::vector<Edge> edges) : edges_(std::move(edges)) {
  // An edge whose span is empty (a box of negative size) holds no position.
  std::erase_if(edges_, [](const Edge& edge) { return edge.from > edge.to; });
  std::sort(edges_.begin(), edges_.end(), [](const Edge& a, const Edge& b) {
    return std::tie(a.at, a.from) < std::tie(b.at, b.from);
  });
  for (std::size_t begin = 0; begin < edges_.size();) {
    std::size_t end = begin;
    while (end < edges_.size() && edges_[end].at == edges_[begin].at) ++end;
    Group group{edges_[begin].at, begin, end - begin, maxTo_.size(), std::bit_ceil(end - begin)};
    // Node i (from 1; slot 0 is unused) has the children 2i and 2i+1; leaf j is
    // node leaves + j. Padding leaves lie beyond every query's prefix, so their
    // value never matters.
    maxTo_.resize(maxTo_.size() + 2 * group.leaves, std::numeric_limits<int32_t>::min());
    int32_t* tree = maxTo_.data() + group.tree;
    for (std::size_t j = 0; j < group.count; ++j) tree[group.leaves + j] = edges_[begin + j].to;
    for (std::size_t node = group.leaves - 1; node >= 1; --node) {
      tree[node] = std::max(tree[2 * node], tree[2 * node + 1]);
    }
    groups_.push_back(group);
    begin = end;
  }
}

// Bounds in 64 bits, so that a reach beyond the 32-bit range asks for nothing
// that is not there.
void EdgeIndex::OwnersWithin(int32_t at, int32_t position, int32_t reach,
                             std::vector<int32_t>& owners) const {
  const int64_t lowest = int64_t{at} - reach;
  const int64_t highest = int64_t{at} + reach;
  auto group = std::lower_bound(groups_.begin(), groups_.end(), lowest,
                                [](const Group& g, int64_t value) { return g.at < value; });
  for (; group != groups_.end() && group->at <= highest; ++group) {
    OwnersSpanning(*group, int64_t{position} + reach, int64_t{position} - reach, owners);
  }
}

void EdgeIndex::OwnersSpanning(const Group& group, int64_t firstFrom, int64_t lastTo,
                               std::vector<int32_t>& owners) const {
  auto first = edges_.begin() + static_cast<std::ptrdiff_t>(group.begin);
  // The edges that start early enough form a prefix of the run; among them,
  // those that reach far enough are found through the tree.
  std::size_t started = static_cast<std::size_t>(
      std::upper_bound(first, first + static_cast<std::ptrdiff_t>(group.count), firstFrom,
                       [](int64_t value, const Edge& edge) { return value < edge.from; }) -
      first);
  const int32_t* tree = maxTo_.data() + group.tree;
  struct Node {
    std::size_t index, lowest, width;
  };
  // Depth-first, right child pushed first; the stack never holds more than two
  // nodes per level.
  Node stack[2 * std::numeric_limits<std::size_t>::digits];
  std::size_t depth = 0;
  stack[depth++] = {1, 0, group.leaves};
  while (depth > 0) {
    Node node = stack[--depth];
    if (node.lowest >= started || tree[node.index] < lastTo) continue;
    if (node.width == 1) {
      owners.push_back(first[static_cast<std::ptrdiff_t>(node.lowest)].owner);
      continue;
    }
    std::size_t half = node.width / 2;
    stack[depth++] = {2 * node.index + 1, node.lowest + half, half};
    stack[depth++] = {2 * node.index, node.lowest, half};
  }
}

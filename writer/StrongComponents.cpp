// The strongly connected components of a directed graph, by Tarjan's algorithm.
#include "writer/StrongComponents.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// The walk's state: the order in which nodes were reached, the lowest of those
// that each node's subtree leads back to, and the nodes reached whose component
// is still open.
struct Walk {
  explicit Walk(std::size_t count) : order(count, kNone), low(count), component(count, kNone) {}

  void Reach(std::size_t node) {
    order[node] = low[node] = reached++;
    open.push_back(node);
    path.push_back({node, 0});
  }

  // The node heads a component when its subtree leads back to nothing reached
  // earlier: the component is the node and the open nodes reached after it.
  void Close(std::size_t node) {
    if (low[node] != order[node]) return;
    std::size_t member = kNone;
    while (member != node) {
      member = open.back();
      open.pop_back();
      component[member] = components;
    }
    ++components;
  }

  std::vector<std::size_t> order;
  std::vector<std::size_t> low;
  std::vector<std::size_t> component;
  std::vector<std::size_t> open;
  // The nodes being walked, each with the number of its next edge to follow.
  std::vector<std::pair<std::size_t, std::size_t>> path;
  std::size_t reached = 0;
  std::size_t components = 0;
};

}  // namespace

std::vector<std::size_t> StrongComponents(const Graph& graph) {
  Walk walk(graph.size());
  for (std::size_t root = 0; root < graph.size(); ++root) {
    if (walk.order[root] != kNone) continue;
    walk.Reach(root);
    while (!walk.path.empty()) {
      const std::size_t node = walk.path.back().first;
      const std::size_t edge = walk.path.back().second++;
      if (edge < graph[node].size()) {
        const std::size_t next = graph[node][edge];
        if (walk.order[next] == kNone) {
          walk.Reach(next);
        } else if (walk.component[next] == kNone) {
          walk.low[node] = std::min(walk.low[node], walk.order[next]);
        }
        continue;
      }
      walk.Close(node);
      walk.path.pop_back();
      if (!walk.path.empty()) {
        const std::size_t parent = walk.path.back().first;
        walk.low[parent] = std::min(walk.low[parent], walk.low[node]);
      }
    }
  }
  return std::move(walk.component);
}

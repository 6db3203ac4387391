// The strongly connected components of small graphs and of graphs far deeper
// than any stack.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "writer/StrongComponents.h"

namespace {

// The components as letters in node order: the first node's component is "a",
// the next new one "b", so that the numbering the algorithm chooses is left out.
std::string Partition(const std::vector<std::size_t>& components) {
  std::map<std::size_t, char> letters;
  std::string partition;
  for (std::size_t component : components) {
    const auto [letter, added] =
        letters.try_emplace(component, static_cast<char>('a' + letters.size()));
    partition += letter->second;
  }
  return partition;
}

struct GraphCase {
  std::string what;
  Graph graph;
  std::string partition;
};

// Cycles of one node and more, chains, an edge between two cycles, an edge
// into a component that is already closed, repeated edges.
TEST(StrongComponentsTest, SmallGraphs) {
  const std::vector<GraphCase> cases = {
      {"no nodes", {}, ""},
      {"one node", {{}}, "a"},
      {"self loop", {{0}}, "a"},
      {"two-node cycle", {{1}, {0}}, "aa"},
      {"chain", {{1}, {2}, {}}, "abc"},
      {"chain back to front", {{}, {0}, {1}}, "abc"},
      {"two cycles joined", {{1}, {0, 2}, {3}, {2}}, "aabb"},
      {"edge into a closed component", {{1}, {2}, {1}, {0, 2}}, "abbc"},
      {"cycle through a side branch", {{1, 3}, {2}, {0}, {4}, {}}, "aaabc"},
      {"repeated edges", {{1, 1}, {0, 0}, {1}}, "aab"},
  };
  for (const GraphCase& c : cases) {
    EXPECT_EQ(Partition(StrongComponents(c.graph)), c.partition) << c.what;
  }
}

// A ring and a chain of 200,000 nodes: the walk keeps its own stack.
TEST(StrongComponentsTest, LongPaths) {
  const std::size_t count = 200000;
  Graph ring(count);
  Graph chain(count);
  for (std::size_t node = 0; node < count; ++node) {
    ring[node].push_back((node + 1) % count);
    if (node + 1 < count) chain[node].push_back(node + 1);
  }
  const std::vector<std::size_t> ringComponents = StrongComponents(ring);
  EXPECT_EQ(std::vector<std::size_t>(count, ringComponents[0]), ringComponents);
  const std::vector<std::size_t> chainComponents = StrongComponents(chain);
  EXPECT_EQ(std::set<std::size_t>(chainComponents.begin(), chainComponents.end()).size(), count);
}

}  // namespace

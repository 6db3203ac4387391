// The strongly connected components of small graphs and of graphs far deeper
// than any stack.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "writer/StrongComponents.h"

namespace {

// The components as letters in node order: the first node's component is "a",
// the next new one "b", so that the numbering the algorithm chooses is left out.
std::string Partition(const std::vector<std::size_t>& components) {
  std::map<std::size_t, char> letters;
  std::string partition;
  for (std::size_t component : components) {
    partition +=
        letters.try_emplace(component, static_cast<char>('a' + letters.size())).first->second;
  }
  return partition;
}

// No nodes, a node alone and with a loop, a cycle of two, chains both ways,
// two cycles joined, edges into components already closed, repeated edges.
TEST(StrongComponentsTest, SmallGraphs) {
  const std::vector<std::pair<Graph, std::string>> cases = {{{}, ""},
                                                            {{{}}, "a"},
                                                            {{{0}}, "a"},
                                                            {{{1}, {0}}, "aa"},
                                                            {{{1}, {2}, {}}, "abc"},
                                                            {{{}, {0}, {1}}, "abc"},
                                                            {{{1}, {0, 2}, {3}, {2}}, "aabb"},
                                                            {{{1}, {2}, {1}, {0, 2}}, "abbc"},
                                                            {{{1, 3}, {2}, {0}, {4}, {}}, "aaabc"},
                                                            {{{1, 1}, {0, 0}, {1}}, "aab"}};
  for (const auto& [graph, partition] : cases) {
    EXPECT_EQ(Partition(StrongComponents(graph)), partition) << "nodes: " << graph.size();
  }
}

// A ring of 200,000 nodes is one component: the walk keeps its own stack.
TEST(StrongComponentsTest, LongRing) {
  const std::size_t count = 200000;
  Graph ring(count);
  for (std::size_t node = 0; node < count; ++node) ring[node].push_back((node + 1) % count);
  const std::vector<std::size_t> components = StrongComponents(ring);
  EXPECT_EQ(std::set<std::size_t>(components.begin(), components.end()).size(), 1u);
}

}  // namespace

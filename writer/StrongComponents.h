// The strongly connected components of a directed graph.
#pragma once

#include <cstddef>
#include <vector>

// The edges of each node, by the numbers of the nodes they lead to.
using Graph = std::vector<std::vector<std::size_t>>;

// The component of each node: two nodes share one exactly when each can be
// reached from the other. Linear in nodes and edges, and without recursion, so
// that no graph sets the depth of the stack.
std::vector<std::size_t> StrongComponents(const Graph& graph);

// The longest common subsequence of two texts' lines, for the merge by lines.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

using Lines = std::vector<std::string_view>;

// A line that PairLines pairs with none.
constexpr std::size_t kUnpaired = std::size_t(-1);

// The text's lines, split at every LF: "a\nb\n" is "a", "b" and "".
Lines SplitLines(std::string_view text);

// For each line of from, the index of the line of to it is paired with in a longest
// common subsequence of lines with the same tokens, or kUnpaired. Time O((N+M)·D),
// where D is the number of lines that differ; memory linear in N+M.
std::vector<std::size_t> PairLines(const Lines& from, const Lines& to);

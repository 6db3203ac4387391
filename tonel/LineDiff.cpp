// The longest common subsequence of two texts' lines, by Myers' linear-space bisection.
#include "tonel/LineDiff.h"

#include <utility>

#include "tonel/Tokens.h"

namespace {

using Index = std::ptrdiff_t;

// The lines still to pair: from[fromBegin, fromEnd) with to[toBegin, toEnd).
struct Span {
  Index fromBegin;
  Index fromEnd;
  Index toBegin;
  Index toEnd;
};

class Differ {
 public:
  Differ(const Lines& from, const Lines& to)
      : from_(from), to_(to), pairs_(from.size(), kUnpaired) {}

  std::vector<std::size_t> Pairs() && {
    Pair({0, Index(from_.size()), 0, Index(to_.size())});
    return std::move(pairs_);
  }

 private:
  bool Same(Index f, Index t) const { return SameTokens(from_[f], to_[t]); }

  // Pairs the common lines at both ends, then splits the rest where an optimal path
  // crosses its middle diagonal. Each half holds about half the differences, so the
  // recursion is as deep as log D.
  void Pair(Span s) {
    while (s.fromBegin < s.fromEnd && s.toBegin < s.toEnd && Same(s.fromBegin, s.toBegin)) {
      pairs_[s.fromBegin++] = s.toBegin++;
    }
    while (s.fromBegin < s.fromEnd && s.toBegin < s.toEnd && Same(s.fromEnd - 1, s.toEnd - 1)) {
      pairs_[--s.fromEnd] = --s.toEnd;
    }
    if (s.fromBegin == s.fromEnd || s.toBegin == s.toEnd) return;
    const auto [x, y] = Middle(s);
    Pair({s.fromBegin, s.fromBegin + x, s.toBegin, s.toBegin + y});
    Pair({s.fromBegin + x, s.fromEnd, s.toBegin + y, s.toEnd});
  }

  // A point (x, y), relative to the span, on a path of fewest steps, other than its two
  // ends: where the furthest paths from the start and from the end first overlap. The
  // span's first and last lines differ and the paths meet within (N + M + 1) / 2 steps,
  // so the loop ends before the arrays do.
  std::pair<Index, Index> Middle(const Span& s) const {
    const Index n = s.fromEnd - s.fromBegin;
    const Index m = s.toEnd - s.toBegin;
    const Index offset = (n + m + 1) / 2 + 1;
    const Index delta = n - m;
    const bool odd = delta % 2 != 0;
    // On each diagonal k = x - y, the furthest x reached inside the grid so far, or -1;
    // the backward one counts x and y from the span's ends.
    std::vector<Index> forward(2 * offset + 1, -1);
    std::vector<Index> backward(2 * offset + 1, -1);
    for (Index d = 0;; ++d) {
      for (Index k = -d; k <= d; k += 2) {
        const Index x = Extend(forward, offset, d, k, n, m, [&](Index i, Index j) {
          return Same(s.fromBegin + i, s.toBegin + j);
        });
        const Index back = OnDiagonal(backward, offset, delta - k);
        if (odd && x >= 0 && back >= 0 && x + back >= n) return {x, x - k};
      }
      for (Index k = -d; k <= d; k += 2) {
        const Index x = Extend(backward, offset, d, k, n, m, [&](Index i, Index j) {
          return Same(s.fromEnd - 1 - i, s.toEnd - 1 - j);
        });
        const Index front = OnDiagonal(forward, offset, delta - k);
        if (!odd && x >= 0 && front >= 0 && x + front >= n) return {front, front - (delta - k)};
      }
    }
  }

  // The furthest x on diagonal k; -1 for a diagonal the arrays do not reach.
  static Index OnDiagonal(const std::vector<Index>& furthest, Index offset, Index k) {
    return k < -offset || k > offset ? -1 : furthest[offset + k];
  }

  // Takes diagonal k one step further than the step before reached it: from the
  // neighbour whose move stays in the n by m grid and gets furthest, then along the
  // equal lines. Answers the x reached, -1 when no move stays inside.
  template <typename Equal>
  static Index Extend(std::vector<Index>& furthest, Index offset, Index d, Index k, Index n,
                      Index m, const Equal& equal) {
    Index x = d == 0 ? 0 : -1;
    const Index left = k > -d ? furthest[offset + k - 1] : -1;
    if (left >= 0 && left + 1 <= n) x = left + 1;
    const Index below = k < d ? furthest[offset + k + 1] : -1;
    if (below >= 0 && below - k <= m && below > x) x = below;
    if (x >= 0) {
      while (x < n && x - k < m && equal(x, x - k)) ++x;
    }
    furthest[offset + k] = x;
    return x;
  }

  const Lines& from_;
  const Lines& to_;
  std::vector<std::size_t> pairs_;
};

}  // namespace

Lines SplitLines(std::string_view text) {
  Lines lines;
  std::size_t start = 0;
  for (std::size_t end = text.find('\n'); end != std::string_view::npos;
       end = text.find('\n', start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  lines.push_back(text.substr(start));
  return lines;
}

std::vector<std::size_t> PairLines(const Lines& from, const Lines& to) {
  return Differ(from, to).Pairs();
}

// Merging three versions of a text by lines, over the pairs of two line diffs.
#include "tonel/LineMerge.h"

#include <algorithm>
#include <utility>

#include "tonel/Tokens.h"

namespace {

using From = MergedLine::From;

// Lines [begin, end) of one text.
struct Region {
  const Lines* lines;
  std::size_t begin;
  std::size_t end;
};

bool SameLines(Region a, Region b) {
  return std::equal(a.lines->begin() + a.begin, a.lines->begin() + a.end,
                    b.lines->begin() + b.begin, b.lines->begin() + b.end, SameTokens);
}

class Merger {
 public:
  Merger(const Lines& base, const Lines& current, const Lines& next)
      : base_(base), current_(current), next_(next) {
    result_.afterCurrent.resize(current.size());
    result_.afterNext.resize(next.size());
  }

  MergedLines Merge() && {
    const std::vector<std::size_t> toCurrent = PairLines(base_, current_);
    const std::vector<std::size_t> toNext = PairLines(base_, next_);
    std::size_t b = 0;
    std::size_t c = 0;
    std::size_t n = 0;
    while (b < base_.size() || c < current_.size() || n < next_.size()) {
      if (b < base_.size() && toCurrent[b] == c && toNext[b] == n) {
        // A line all three share: the user's bytes unless they are still plimko's.
        Add({current_[c] == base_[b] ? From::Next : From::Current, c, n, n});
        result_.afterCurrent[c] = result_.afterNext[n] = result_.lines.size();
        ++b, ++c, ++n;
        continue;
      }
      // The region up to the next base line that both sides keep.
      std::size_t stable = b;
      while (stable < base_.size() &&
             (toCurrent[stable] == kUnpaired || toNext[stable] == kUnpaired)) {
        ++stable;
      }
      const bool atEnd = stable == base_.size();
      const Region original{&base_, b, stable};
      const Region mine{&current_, c, atEnd ? current_.size() : toCurrent[stable]};
      const Region theirs{&next_, n, atEnd ? next_.size() : toNext[stable]};
      Resolve(original, mine, theirs);
      b = original.end, c = mine.end, n = theirs.end;
    }
    return std::move(result_);
  }

 private:
  void Resolve(Region original, Region mine, Region theirs) {
    // A layout of the user's is no change: the diagram's change reaches the lines.
    if (SameLines(mine, original)) {
      Skip(mine, result_.afterCurrent);
      Take(theirs, From::Inserted);
    } else if (SameLines(mine, theirs)) {
      Take(mine, From::Current);
      for (std::size_t i = 0; i < theirs.end - theirs.begin; ++i)
        result_.afterNext[theirs.begin + i] = result_.afterCurrent[mine.begin + i];
    } else if (SameLines(theirs, original)) {
      Take(mine, From::Current);
      Skip(theirs, result_.afterNext);
    } else if (original.begin == original.end) {
      Take(mine, From::Current);
      Take(theirs, From::Inserted);
    } else {
      Take(mine, From::Current);
      Add({From::NotApplied, mine.end - mine.begin, theirs.begin, theirs.end});
      if (mine.begin < mine.end) result_.afterCurrent[mine.end - 1] = result_.lines.size();
      Skip(theirs, result_.afterNext);
    }
  }

  // The region's lines, each from its text, the user's or the diagram's.
  void Take(Region region, From from) {
    for (std::size_t i = region.begin; i < region.end; ++i) {
      if (from == From::Current) {
        Add({from, i, 0, 0});
        result_.afterCurrent[i] = result_.lines.size();
      } else {
        Add({from, 0, i, i});
        result_.afterNext[i] = result_.lines.size();
      }
    }
  }

  // Lines left out: what follows them goes where the merge stands.
  void Skip(Region region, std::vector<std::size_t>& after) {
    for (std::size_t i = region.begin; i < region.end; ++i) after[i] = result_.lines.size();
  }

  void Add(const MergedLine& line) { result_.lines.push_back(line); }

  const Lines& base_;
  const Lines& current_;
  const Lines& next_;
  MergedLines result_;
};

}  // namespace

MergedLines MergeLines(const Lines& base, const Lines& current, const Lines& next) {
  return Merger(base, current, next).Merge();
}

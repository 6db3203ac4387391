// Merging three versions of a text by lines, over the pairs of two line diffs.
#include "tonel/LineMerge.h"

#include <algorithm>
#include <utility>

#include "tonel/LineDiff.h"
#include "tonel/Tokens.h"

namespace {

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
  Merger(std::string_view base, std::string_view current, std::string_view next)
      : base_(SplitLines(base)), current_(SplitLines(current)), next_(SplitLines(next)) {}

  MergedLines Merge() && {
    const std::vector<std::size_t> toCurrent = PairLines(base_, current_);
    const std::vector<std::size_t> toNext = PairLines(base_, next_);
    std::size_t b = 0;
    std::size_t c = 0;
    std::size_t n = 0;
    while (b < base_.size() || c < current_.size() || n < next_.size()) {
      if (b < base_.size() && toCurrent[b] == c && toNext[b] == n) {
        // A line all three share: the user's bytes unless they are still plimko's.
        Append(current_[c] == base_[b] ? next_[n] : current_[c]);
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
      Append(Resolve(original, mine, theirs));
      b = original.end, c = mine.end, n = theirs.end;
    }
    return std::move(result_);
  }

 private:
  Region Resolve(Region original, Region mine, Region theirs) {
    // A layout of the user's is no change: the diagram's change reaches the lines.
    if (SameLines(mine, original)) return theirs;
    if (SameLines(theirs, original) || SameLines(mine, theirs)) return mine;
    if (original.begin == original.end) {
      Append(mine);
      return theirs;
    }
    result_.conflict = true;
    return mine;
  }

  void Append(Region region) {
    for (std::size_t i = region.begin; i < region.end; ++i) Append((*region.lines)[i]);
  }

  void Append(std::string_view line) {
    if (started_) result_.text += '\n';
    result_.text += line;
    started_ = true;
  }

  Lines base_;
  Lines current_;
  Lines next_;
  MergedLines result_;
  bool started_ = false;
};

}  // namespace

MergedLines MergeLines(std::string_view base, std::string_view current, std::string_view next) {
  return Merger(base, current, next).Merge();
}

// Merging three versions of a text by lines: the lines of a class comment and of an
// initialize method that belong to no variable.
#pragma once

#include <cstddef>
#include <vector>

#include "tonel/LineDiff.h"

// One line of the merge, or the diagram's lines that it did not apply.
struct MergedLine {
  enum class From {
    Current,     // the user's line
    Next,        // the diagram's line in place of the user's, which was plimko's byte for byte
    Inserted,    // the diagram's line, where the user's text has none
    NotApplied,  // the diagram's lines [next, nextEnd), where the user changed the same lines
  };
  From from = From::Current;
  // Current, Next: the user's line; NotApplied: how many of the user's lines it follows.
  std::size_t current = 0;
  std::size_t next = 0;  // Next, Inserted, NotApplied: the diagram's line
  std::size_t nextEnd = 0;
};

struct MergedLines {
  std::vector<MergedLine> lines;
  // For each line of the user's text, and of the diagram's, how many merged lines come
  // before what follows the line there: where the text that follows it goes.
  std::vector<std::size_t> afterCurrent;
  std::vector<std::size_t> afterNext;
};

// The three-way merge of what plimko wrote last (base), what the user has now (current) and
// what the diagram gives today (next). Lines with the same tokens are equal, so a new layout
// is no change. A region that one side changed takes that side's lines, one that both
// changed the same way the user's; where both only inserted, the user's lines come first,
// then the diagram's; any other region keeps the user's lines, followed by the diagram's as
// not applied. A line the user left byte for byte as plimko wrote it takes the diagram's
// bytes, so an untouched text becomes next exactly; any other line that the diagram did not
// change keeps the user's bytes.
MergedLines MergeLines(const Lines& base, const Lines& current, const Lines& next);

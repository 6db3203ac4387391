// Merging three versions of a text by lines: the comment and initialize methods of a class
// file, which the user and the diagram may both have changed in different places.
#pragma once

#include <string>
#include <string_view>

// The three-way merge by lines of what plimko wrote last (base), what the user has now
// (current) and what the diagram gives today (next).
struct MergedLines {
  std::string text;
  bool conflict = false;  // a region that both changed differently: the user's text kept
};

// Lines end at each LF; lines with the same tokens are equal, so a new layout is no
// change. A region that one side changed takes that side's lines, one that both changed
// the same way the user's; where both only inserted, the user's lines come first, then
// the diagram's. A line the user left byte for byte as plimko wrote it takes the
// diagram's bytes, so an untouched text becomes next exactly; any other line that the
// diagram did not change keeps the user's bytes.
MergedLines MergeLines(std::string_view base, std::string_view current, std::string_view next);

// Merging a text three ways by lines: plimko's last output, the user's text, the diagram's.
#include "tonel/LineMerge.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(LineMergeTest, TakesEachSidesChangesAndKeepsTheUsersOnOverlap) {
  struct Case {
    std::string base;
    std::string current;
    std::string next;
    std::string merged;
    bool conflict;
  };
  const std::vector<Case> cases = {
      // A change on one side only is taken, each in its own region.
      {"a\nb\nc\nd\ne", "a\nB\nc\nd\ne", "a\nb\nc\nD\ne", "a\nB\nc\nD\ne", false},
      {"a\nb\nc", "a\nc", "a\nb\nc\nd", "a\nc\nd", false},
      // Changes at the very start on one side and the very end on the other.
      {"a\nb\nc\n", "A\nb\nc\n", "a\nb\nc\nd\n", "A\nb\nc\nd\n", false},
      // Both insert at one place: the user's lines, then the diagram's.
      {"x := 0.\ny := 0.", "x := 0.\nz := 1.\ny := 0.", "x := 0.\nw := nil.\ny := 0.",
       "x := 0.\nz := 1.\nw := nil.\ny := 0.", false},
      // Both made the same change, in another layout.
      {"a\nb\nc", "a\nB := 1\nc", "a\nB:=1\nc", "a\nB := 1\nc", false},
      // Other overlaps keep the user's lines and report the conflict.
      {"a\nb\nc", "a\nX\nc", "a\nY\nc", "a\nX\nc", true},
      {"", "u", "d", "u", true},
      // A layout of the user's stays, but gives way to a change of the diagram's; an
      // untouched line takes the diagram's bytes.
      {"^x", "^ x", "^x", "^ x", false},
      {"a\n^x", "a\n\t^ x", "a\n^y", "a\n^y", false},
      {"a\n^x\nb", "a\n\t^ x\nb", "A\n^x\nb", "A\n\t^ x\nb", false},
      {"^x", "^x", "^ x", "^ x", false},
      // Empty texts, and texts with and without a last line end.
      {"", "u\n", "", "u\n", false},
      {"a\nb", "A\nb", "a\nb\nc", "A\nb\nc", false},
  };
  for (const Case& c : cases) {
    const MergedLines merged = MergeLines(c.base, c.current, c.next);
    EXPECT_EQ(merged.text, c.merged) << c.base << " | " << c.current << " | " << c.next;
    EXPECT_EQ(merged.conflict, c.conflict) << c.base << " | " << c.current << " | " << c.next;
  }
}

}  // namespace

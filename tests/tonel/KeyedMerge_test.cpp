// Merging a text three ways, by variable and by lines: plimko's last output, the user's
// text, the diagram's.
#include "tonel/KeyedMerge.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(KeyedMerge, TakesEachSidesChangesAndKeepsTheUsersOnOverlap) {
  struct Case {
    std::string base;
    std::string current;
    std::string next;
    std::string merged;
    std::vector<std::string> notApplied;
    TextKind kind = TextKind::Comment;
  };
  const std::string y =
      "plimko: the diagram's line, not applied: Y. Keep what you need and "
      "delete this line.";
  const std::string d =
      "plimko: the diagram's line, not applied: d. Keep what you need and "
      "delete this line.";
  const std::string status =
      "\"plimko: the diagram's statement, not applied: status := #open \"\"Symbol \"\". Keep "
      "what you need and delete this comment.\"";
  const std::string removed =
      "\"plimko: the diagram removes the statement above, not applied. Keep what you need and "
      "delete this comment.\"";
  const std::string typed =
      "plimko: the diagram's line, not applied: a\t Float  Description... Keep what you need "
      "and delete this line.";
  const std::string m = "initialize\n  super initialize.\n";  // a method's first lines
  const std::string iv = "C.\n\nInstance Variables\n";        // a comment's
  const std::vector<Case> cases = {
      // Lines of no variable. A change on one side only is taken, each in its own region.
      {"a\nb\nc\nd\ne", "a\nB\nc\nd\ne", "a\nb\nc\nD\ne", "a\nB\nc\nD\ne", {}},
      {"a\nb\nc", "a\nc", "a\nb\nc\nd", "a\nc\nd", {}},
      // Changes at the very start on one side and the very end on the other.
      {"a\nb\nc\n", "A\nb\nc\n", "a\nb\nc\nd\n", "A\nb\nc\nd\n", {}},
      // Both insert at one place: the user's lines, then the diagram's.
      {"x\ny", "x\nz\ny", "x\nw\ny", "x\nz\nw\ny", {}},
      // Both made the same change, in another layout.
      {"a\nb\nc", "a\nB := 1\nc", "a\nB:=1\nc", "a\nB := 1\nc", {}},
      // Other overlaps keep the user's lines, and the diagram's follow them.
      {"a\nb\nc", "a\nX\nc", "a\nY\nc", "a\nX\n" + y + "\nc", {y}},
      {"", "u", "d", "u\n" + d, {d}},
      // A layout of the user's stays, but gives way to a change of the diagram's; an
      // untouched line takes the diagram's bytes.
      {"^x", "^ x", "^x", "^ x", {}},
      {"a\n^x", "a\n\t^ x", "a\n^y", "a\n^y", {}},
      {"a\n^x\nb", "a\n\t^ x\nb", "A\n^x\nb", "A\n\t^ x\nb", {}},
      {"^x", "^x", "^ x", "^ x", {}},
      // Empty texts, and texts with and without a last line end.
      {"", "u\n", "", "u\n", {}},
      {"a\nb", "A\nb", "a\nb\nc", "A\nb\nc", {}},

      // Statements of initialize. The diagram's new one goes after the one it follows there,
      // whatever the user did to that one, and comes in the user's indentation (a tab, here),
      // after a statement over three lines.
      {m + "  a := 0.\n  ^self",
       m + "  a := 5.\n  ^self",
       m + "  a := 0.\n  b := 1.\n  ^self",
       m + "  a := 5.\n  b := 1.\n  ^self",
       {},
       TextKind::Method},
      {m + "  a := nil.\n  ^self",
       "initialize\n\tsuper initialize.\n\ta := OrderedCollection new\n\t\tadd: 7;\n\t\tyourself."
       "\n\t^ self",
       m + "  a := nil.\n  b := 0.\n  ^self",
       "initialize\n\tsuper initialize.\n\ta := OrderedCollection new\n\t\tadd: 7;\n\t\tyourself."
       "\n\tb := 0.\n\t^ self",
       {},
       TextKind::Method},
      // A changed statement keeps the indentation of the user's; a first one goes where the
      // diagram's text puts it.
      {m + "  a := 0.\n  ^self",
       "initialize\n\tsuper initialize.\n\tself go.\n\ta := 0.\n\t^ self",
       "initialize\n  super initialize.\n  z := 1.\n  a := 2.\n  ^self",
       "initialize\n\tsuper initialize.\n\tz := 1.\n\tself go.\n\ta := 2.\n\t^ self",
       {},
       TextKind::Method},
      // After a last statement without a period, the period comes with the next statement.
      {m + "  a := 0.\n  ^self",
       m + "  a := 5 \"mine\"",
       m + "  a := 0.\n  b := 1.\n  ^self",
       m + "  a := 5 \"mine\".\n  b := 1.",
       {},
       TextKind::Method},
      // A removed variable's statement goes, but stays where the user changed it.
      {m + "  a := 0.\n  b := 1.\n  ^self",
       m + "  a := 5.\n  b := 1.\n  ^self",
       m + "  a := 0.\n  ^self",
       m + "  a := 5.\n  ^self",
       {},
       TextKind::Method},
      {m + "  b := 1.\n  ^self",
       m + "  b := 7.\n  ^self",
       m + "  ^self",
       m + "  b := 7.\n  " + removed + "\n  ^self",
       {removed},
       TextKind::Method},
      // One the user deleted comes back when the diagram changes it, and only then.
      {m + "  a := 0.\n  b := 1.\n  ^self",
       m + "  a := 0.\n  ^self",
       m + "  a := 0.\n  b := 2.\n  ^self",
       m + "  a := 0.\n  b := 2.\n  ^self",
       {},
       TextKind::Method},
      {m + "  a := 0.\n  b := 1.\n  ^self",
       m + "  a := 0.\n  ^self",
       m + "  a := 1.\n  b := 1.\n  ^self",
       m + "  a := 1.\n  ^self",
       {},
       TextKind::Method},
      // Both changed one statement: the user's, and the diagram's after it as a comment.
      {m + "  status := nil.\n  ^self",
       m + "\tstatus := #new.\n  ^self",
       m + "  status := #open \"Symbol \".\n  ^self",
       m + "\tstatus := #new.\n\t" + status + "\n  ^self",
       {status},
       TextKind::Method},

      // Lines of the comment that describe a variable, section by section.
      {iv + "  a\t Integer  Description...\n\nConstraints\n",
       iv + "  a\t Integer  How many.\n\nConstraints\n",
       iv + "  a\t Integer  Description...\n  b\t String  Description...\n\nClass Variables\n"
            "  a\t Date  Description...\n\nConstraints\n\t\"#b associates from: #C to: #D\"\n",
       iv + "  a\t Integer  How many.\n  b\t String  Description...\n\nClass Variables\n"
            "  a\t Date  Description...\n\nConstraints\n\t\"#b associates from: #C to: #D\"\n",
       {}},
      {iv + "  a\t Integer  Description...\n",
       iv + "  a\t Integer  How many.\n",
       iv + "  a\t Float  Description...\n",
       iv + "  a\t Integer  How many.\n  " + typed + "\n",
       {typed}},
  };
  for (const Case& c : cases) {
    const KeyedMerge merged = MergeKeyed(c.base, c.current, c.next, c.kind);
    EXPECT_EQ(merged.text, c.merged) << c.base << " | " << c.current << " | " << c.next;
    EXPECT_EQ(merged.notApplied, c.notApplied) << c.base << " | " << c.current << " | " << c.next;
  }
}

}  // namespace

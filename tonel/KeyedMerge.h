// The three-way merge of an initialize method or a class comment, in which the text that
// sets or describes one variable belongs to that variable.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tonel/KeyedLines.h"

struct KeyedMerge {
  std::string text;
  // What the merge wrote after the user's text where both sides changed it, as it stands
  // there but for its indentation; one a line of the notes.
  std::vector<std::string> notApplied;
};

// base is what plimko wrote last, current what the user has now, next what the diagram
// gives today. A variable's text takes the diagram's change whatever the user did to other
// variables' text: a new one goes right after the variable that precedes it in the
// diagram's order, or where the diagram's text puts it when the user's text has no such
// variable; a removed one goes unless the user changed it; one the user deleted comes back
// when the diagram changed it. The text of no variable is merged by lines (MergeLines).
// Where both sides changed the same text, the user's stays, and the diagram's follows it
// as a comment (a line of the class comment) that begins "plimko: " and says what to do.
// In a method, what the merge inserts takes the indentation of the user's lines, and a last
// statement without a period gets one when a statement comes to follow it. Linear in the
// texts' sizes but for the diff of the lines that belong to no variable.
KeyedMerge MergeKeyed(std::string_view base, std::string_view current, std::string_view next,
                      TextKind kind);

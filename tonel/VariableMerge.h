// The three-way merge of one variable list of a class definition.
#pragma once

#include <string>
#include <vector>

#include "tonel/TonelClass.h"

// What a list merge needs besides the three lists: the methods whose text the user's
// stands for, which keep a variable they name, and where notes go.
struct VariableContext {
  const std::string& className;
  const TonelMethods& methods;               // the merged methods
  const std::vector<std::size_t>& usersOwn;  // indexes into methods
  std::vector<std::string>& notes;
};

// The user's list in the user's order: a name the diagram dropped leaves it (unless a
// method of the user's names it: then it stays, with a note), and a name the diagram
// added goes right after the diagram's nearest preceding name that the list has, or
// before the first of the diagram's names when none precedes it. Without a copy (base
// null) nothing is removed.
std::vector<std::string> MergeVariables(const std::vector<std::string>* base,
                                        const std::vector<std::string>& current,
                                        const std::vector<std::string>& next,
                                        const VariableContext& context);

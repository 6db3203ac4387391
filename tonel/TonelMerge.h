// The three-way merge of a class file: what plimko wrote last, what the file holds now,
// and what the diagram gives today.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tonel/TonelClass.h"

struct MergedClass {
  TonelClass cls;
  std::vector<std::string> notes;  // one a line
  int keptAsWritten = 0;           // methods the user's text stands for
  // Without a copy: the methods that the diagram has with another text, left as they are.
  int leftAsTheyAre = 0;
};

// The class file and its copy, each quoted as the notes name them.
struct NotePaths {
  std::string file;
  std::string copy;
};

// base is what plimko wrote last, null when there is no copy; current what the file
// holds; next what the diagram gives. The user's changes win over the diagram's, with a
// note where the diagram changed the same thing; the diagram's other changes are taken.
// Texts that differ only in the blanks between their tokens are the same: formatting is no
// authorship. The comment and the initialize methods are merged by variable (MergeKeyed),
// where the diagram's text that was not applied follows the user's; other methods whole,
// so that a body written for old argument names is never joined to a new pattern.
MergedClass MergeClass(const TonelClass* base, const TonelClass& current, const TonelClass& next,
                       const NotePaths& paths);

// Whether the two hold the same class: the same definition, comment and methods,
// whatever the order of the methods and the blanks between tokens.
bool SameClass(const TonelClass& a, const TonelClass& b);

// Whether the method's source has the word as a whole word outside strings,
// comments and character literals.
bool NamesWord(std::string_view source, std::string_view word);

// "Member>>#printOn:", "Member class>>#new"
std::string MethodName(const std::string& className, const TonelMethod& method);

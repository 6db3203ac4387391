// The three-way merge of a class file: what plimko wrote last, what the file holds now,
// and what the diagram gives today.
#pragma once

#include <string>
#include <vector>

#include "tonel/TonelClass.h"

struct MergedClass {
  TonelClass cls;
  std::vector<std::string> notes;  // one a line
  int keptAsWritten = 0;           // methods the user's text stands for
};

// base is what plimko wrote last (a class without methods, comment or
// variables when there is no copy), current what the file holds, next what the
// diagram gives. The user's changes win over the diagram's, with a note where
// the diagram changed the same thing; the diagram's other changes are taken.
MergedClass MergeClass(const TonelClass& base, const TonelClass& current, const TonelClass& next);

// Whether the two hold the same class: the same definition, comment and
// methods, whatever the order of the methods in the file.
bool SameClass(const TonelClass& a, const TonelClass& b);

// Whether the method's source has the word as a whole word outside strings,
// comments and character literals.
bool NamesWord(std::string_view source, std::string_view word);

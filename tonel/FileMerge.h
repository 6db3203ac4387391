// The three-way merge of a class file from the bytes of its file and its copy as read.
#pragma once

#include <string>
#include <string_view>

#include "tonel/TonelClass.h"
#include "tonel/TonelMerge.h"

// A class file merged: its new text, and what the merge says of it.
struct MergedFile {
  std::string text;  // in the file's own line ends
  MergedClass merge;
};

// current is the text of the file at path, copy that of its copy at copyPath (null when
// there is none), both as read; they are the merge's current and base. next is the
// diagram's class as composed. The file is in the package folder. Raises GenericError
// `"PATH" is not a Tonel class file: line N: ...` for either text, the file's first.
MergedFile MergeClassFile(const TonelClass& next, std::string_view current, const std::string* copy,
                          const std::string& path, const std::string& copyPath,
                          const std::string& folder);

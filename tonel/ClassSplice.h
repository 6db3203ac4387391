// A merged class put into the text of the file it was merged with, changing only the
// parts that the merge changed.
#pragma once

#include <string>

#include "tonel/ClassFile.h"
#include "tonel/TonelClass.h"

// The file's text with the merged class in it. A part that the merge left as the file
// has it (the comment, each definition entry, each method) keeps its bytes and its place;
// a changed part is laid out afresh where it stood, a new method goes before the first
// method that Pharo's order puts after it, and a new variable list after the entries
// that Pharo writes before it. A changed method keeps the file's metadata, its protocol
// spelled as before (a symbol or a string); a new one's is spelled as most of the file's
// are. What is laid out takes the line end of most of the file's lines; every byte kept
// keeps its own. The package is the folder that the file is in: #package, where the file
// has it, names it, and #category, where the file has it, is the package, or the
// package, "-" and the tag (#tag's, or else what followed the package in #category).
std::string SplicedClassText(const ClassFile& file, const TonelClass& merged,
                             const std::string& package);

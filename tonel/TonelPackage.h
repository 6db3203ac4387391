// The diagram's classes as a Tonel package: one class file per declared class.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "model/ElemTable.h"
#include "tonel/TonelClass.h"

// What a run gives: the class files' contents, one per class name, and the
// notes about what gives no code.
struct TonelPackage {
  std::string name;
  std::vector<TonelClass> classes;  // in class order, a name's first place
  std::vector<std::string> notes;   // one a line
  // Files to write where no file is: a path relative to the source directory, and the
  // file's contents.
  std::vector<std::pair<std::string, std::string>> extraFiles = {};
};

// The package that the split diagram gives. A name declared twice is one class,
// as filing in both definitions would leave it: the later definition and
// comment, and the methods of both, the later one where a side and selector
// repeat.
TonelPackage ComposeTonelPackage(const std::string& name, const PElemTable& classes,
                                 const PElemTable& relations, const PElemTable& others);

// The diagram's classes as a Tonel package: one class file per declared class.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/ElemTable.h"
#include "tonel/Baseline.h"
#include "tonel/ClassSink.h"

// What a run gives: the classes, composed one at a time while they are written, and the
// notes about what gives no code.
struct TonelPackage {
  std::string name;
  std::vector<std::string> notes = {};  // one a line
  // The Metacello baseline that names the package: its files are written where no file
  // is, and its notes told, only when the package is there after the run.
  BaselineFiles baseline = {};
  // Hands each class to the sink, in class order (a name at its first place), and adds
  // the notes of the classes that give no code to notes, so that a run never holds the
  // whole package. The comment of a class drawn once goes where the sink says while it
  // is composed. None for a package without classes.
  std::function<void(ClassSink& sink, std::vector<std::string>& notes)> composeClasses = {};
};

// The package that the split diagram gives, its classes composed while they are
// written; the tables must live until then. A name declared twice is one class, as
// filing in both definitions would leave it: the later definition and comment, and the
// methods of both, the later one where a side and selector repeat.
TonelPackage ComposeTonelPackage(const std::string& name, const PElemTable& classes,
                                 const PElemTable& relations, const PElemTable& others);

// Writing a package into a Tonel source directory, merged with what the user wrote there.
#pragma once

#include <string>
#include <vector>

#include "tonel/TonelPackage.h"

// What writing the package did, for its closing line and notes.
struct TonelSummary {
  int added = 0;
  int updated = 0;
  int unchanged = 0;
  int removed = 0;
  int keptAsWritten = 0;
  std::vector<std::string> notes;  // one a line
};

// Brings DIR/NAME/ in line with the package: DIR/.properties and
// DIR/NAME/package.st when they are absent, and every class file merged with
// what the user wrote there since the last run, whose output is kept in
// DIR/.plimko/NAME/. When every class file is in other package folders and DIR/NAME/
// holds no package, no package is made, nor its baseline: a note says where the classes
// are. Every file it reads is read before anything is written; so is every class file
// checked to read back as written, and a method text that a class file cannot hold
// raises GenericError.
TonelSummary WriteTonelPackage(const std::string& dir, const TonelPackage& package);

// "school: 2 classes added, 3 updated, 1 unchanged, 0 removed; 4 methods kept as written"
std::string SummaryLine(const std::string& package, const TonelSummary& summary);

// The copy that a Tonel run from a diagram writes into .plimko/<package>/, written alone.
#pragma once

#include <string>
#include <vector>

#include "tonel/StagedFiles.h"

// What writing the copy changed.
struct CopyChanges {
  std::vector<std::string> replaced;  // classes whose copy held other bytes
  std::vector<std::string> removed;   // classes the diagram no longer has
};

// Reads the diagram file, composes its classes as a Tonel run does, and stages in
// DIR/.plimko/PACKAGE/ each class's copy as that run writes it; a copy of a class that
// the diagram does not give is staged for removal. Nothing else is written: the package
// is left as it is. Raises what reading and composing raise.
CopyChanges StageCopies(StagedFiles& staged, const std::string& dir, const std::string& package,
                        const std::string& diagramPath);

// The output file: its creation, header, notes, class order and footer.
#pragma once

#include <string>

#include "model/ElemTable.h"
#include "writer/OutputTarget.h"

// Writes outputDir + baseName + ".st" from the three tables of the split diagram,
// every class in the category. outputDir and baseName are the bytes of the command
// line; the file shows them as well-formed UTF-8.
void WriteImportFile(const std::string& outputDir, const std::string& baseName,
                     const std::string& category, const PElemTable& classes,
                     const PElemTable& relations, const PElemTable& others);
// The same, its bytes going to the target (one that fuzzing keeps in memory, say)
// instead of an atomic file.
void WriteImportFile(const std::string& outputDir, const std::string& baseName,
                     const std::string& category, const PElemTable& classes,
                     const PElemTable& relations, const PElemTable& others, OutputTarget& target);

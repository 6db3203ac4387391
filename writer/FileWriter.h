// The output file: its creation, header, notes, class order and footer.
#pragma once

#include <string>

#include "model/ElemTable.h"

// Writes outputDir + baseName + ".st" from the three tables of the split diagram.
// outputDir and baseName are the bytes of the command line (UTF-8); they are
// shown in the file as Windows-1250 text like everything else.
void WriteImportFile(const std::string& outputDir, const std::string& baseName,
                     const PElemTable& classes, const PElemTable& relations,
                     const PElemTable& others);

// The multiplicity texts of member lines and relation ends: "0..1", "*", "1..*, 3".
#pragma once

#include <memory_resource>

#include "model/ElemTable.h"
#include "reader/scanner.h"

// Reads a multiplicity text at the scanner's position into a new table of ranges,
// made in memory; the delimiter that ended the text is left for the caller. Raises
// what the scanner's reads raise.
PElemTable ParseMultiplicity(Scanner& input, std::pmr::memory_resource& memory);

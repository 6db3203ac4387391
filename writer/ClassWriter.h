// Everything the output file says about one diagram class.
#pragma once

#include "model/ElemTable.h"
#include "model/Element.h"

// Writes the class's definition, comment, initialize method and protocol
// sections; superclasses and realised interfaces are found among allClasses.
void WriteClass(const PElement& cls, const PElemTable& allClasses);

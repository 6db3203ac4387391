// A drawing as the text of a UMLet diagram file.
#pragma once

#include <string>

#include "drawing/Drawing.h"

// The file as UMLet writes its own at zoom level 10: the XML declaration, the diagram
// element, then each box and each relation as an element of two-space indented tags, the
// panel text with its markup characters escaped, a relation's points after it; LF line
// ends and one at the end.
std::string UxfText(const Drawing& drawing);

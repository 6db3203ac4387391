// The elements of a table as a vector, for algorithms that need to index them.
#pragma once

#include <vector>

#include "model/ElemTable.h"
#include "model/Element.h"

// The elements in table order.
std::vector<PElement> ElementsOf(const PElemTable& table);

// The order in which the file writer writes the classes.
#pragma once

#include <vector>

#include "model/Element.h"
#include "writer/Hierarchy.h"

// The classes of the hierarchy's table, each once, after the classes they depend on as far
// as cycles allow. A class depends on X when one of its relations has the class
// as Class1 and X, another class, as Class2; an external class (IsExternal)
// depends on none. The first pass is the classes that
// depend on no class of the table; each next pass the classes left whose
// dependencies are all in earlier passes; every pass is in table order. The
// classes that no pass takes (in a cycle, or depending on one or on a class
// outside the table) come last, in table order, except that a class whose
// written superclass is among them and comes later waits for it: it follows
// right after it, with the classes that wait for it in turn.
std::vector<PElement> ClassOrder(const Hierarchy& hierarchy);

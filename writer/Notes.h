// Comments after the header about diagram elements that give no code.
#pragma once

#include <string>

#include "model/ElemTable.h"
#include "model/Element.h"

class Composer;

// The notes about the relations, then about the other elements, a line each.
std::string ComposeNotes(const PElemTable& relations, const PElemTable& others);

// A line for a relation with an end that touches no class; nothing otherwise.
void WriteUnconnectedNote(Composer& out, const PElement& relation);
// A line for an element of a type the reader does not know.
void WriteIgnoredNote(Composer& out, const PElement& element);

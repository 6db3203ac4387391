// Link variables, constraint lines and multiplicity texts derived from relations.
#pragma once

#include <cstdint>
#include <string>

#include "model/ElemTable.h"
#include "model/ElemType.h"

class Composer;

// The word that names a relation's kind by its number of arrow heads.
std::string KindWords(int32_t headSize);

// Whether the relation end holds the given class.
bool IsClassAt(const PClassType& end, const PElement& cls);

// The relations of the class that give it a link variable: a single head at
// one end and the class at the tail.
PElemTable LinkRelations(const PClassType& cls);
// The relations of the class listed under "Constraints" besides its links.
PElemTable ConstraintRelations(const PClassType& cls);

// The text a relation's link variable is named after: its label, the role at
// its head, the name of the class there, or "noNameLink".
std::string LinkText(const PRelType& relation);
// The name of a relation's link variable.
std::string LinkName(const PRelType& relation);
// The multiplicity at the arrow-head end of a link relation, and at its tail.
PElemTable HeadMultiplicity(const PRelType& relation);
PElemTable TailMultiplicity(const PRelType& relation);

// One line of the class comment describing a link variable.
void WriteLinkDescription(Composer& out, const PElement& relation);
// One line of the class comment under "Constraints".
void WriteConstraintLine(Composer& out, const PElement& relation);

// Writes the multiplicity in brackets; nothing for none or for exactly 1..1.
void WriteMultiplicity(Composer& out, const PElemTable& multiplicity);
// Whether WriteMultiplicity writes anything for the multiplicity.
bool HasMultiplicityText(const PElemTable& multiplicity);
// No multiplicity, or a first range that starts at "0".
bool IsOptional(const PElemTable& multiplicity);
// A multiplicity whose first range reaches beyond one object.
bool IsMany(const PElemTable& multiplicity);

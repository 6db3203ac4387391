// The value a mandatory variable starts with: a new instance only where Smalltalk
// can make one.
#pragma once

#include <string>

#include "model/ElemTable.h"
#include "model/ElemType.h"

// The value of a mandatory variable of the class, whose type has the Smalltalk
// name `type`: for a class that this file declares, a new instance, or nil when
// making one would come back to the class; the literal of a value type
// (numbers, truth values, characters, symbols); a new instance of a class of
// Pharo or of one the diagram draws as external; nil for a class that nobody
// defines. allClasses is the table of all
// classes that the file writes.
std::string MandatoryValue(const PClassType& cls, const std::string& type,
                           const PElemTable& allClasses);

// Drops what was gathered about the last table of classes, so that it does not
// hold its classes' memory until another table is asked about.
void ForgetMandatoryValueFacts();

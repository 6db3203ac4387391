// The member groups of a class and the attribute entries of its class text.
#pragma once

#include <set>
#include <string>

#include "model/ElemTable.h"
#include "model/Element.h"

// Each group is a new table taken from a class's member table, in panel order.
PElemTable InstanceAttributes(const PElemTable& members);
PElemTable PublicInstanceAttributes(const PElemTable& members);
PElemTable ClassAttributes(const PElemTable& members);
PElemTable PublicClassAttributes(const PElemTable& members);
PElemTable Operations(const PElemTable& members);
PElemTable PublicOperations(const PElemTable& members);
PElemTable ProtectedOperations(const PElemTable& members);
PElemTable PrivateOperations(const PElemTable& members);
PElemTable PublicClassOperations(const PElemTable& members);
PElemTable ProtectedClassOperations(const PElemTable& members);
PElemTable PrivateClassOperations(const PElemTable& members);

// Starts a variable name list, in which every name is written once only and the
// names declared already (by superclasses) not at all.
void StartVariableNameList(const std::set<std::string>& declared);
// Writes the name and a blank, unless the current list already holds it.
void WriteListedVariable(const std::string& name);
// An attribute's entry in a variable name list.
void WriteVariableName(const PElement& member);
// An attribute's line of the class comment.
void WriteAttributeComment(const PElement& member);

// The member groups of a class and the attribute entries of its class text.
#pragma once

#include <set>
#include <string>

#include "model/ElemTable.h"
#include "model/Element.h"

// The groups of a class's members that its text writes, each a table in panel
// order; the groups that stay empty share one empty table. "+" and a member
// without a visibility mark are public.
struct MemberGroupTables {
  explicit MemberGroupTables(const PElemTable& none)
      : instanceAttributes(none),
        publicInstanceAttributes(none),
        classAttributes(none),
        publicClassAttributes(none),
        publicOperations(none),
        protectedOperations(none),
        privateOperations(none),
        publicClassOperations(none),
        protectedClassOperations(none),
        privateClassOperations(none) {}

  PElemTable instanceAttributes;
  PElemTable publicInstanceAttributes;
  PElemTable classAttributes;
  PElemTable publicClassAttributes;
  PElemTable publicOperations;
  PElemTable protectedOperations;
  PElemTable privateOperations;
  PElemTable publicClassOperations;
  PElemTable protectedClassOperations;
  PElemTable privateClassOperations;
};
// All groups, taken in one walk over the class's member table.
MemberGroupTables GroupMembers(const PElemTable& members);
// All operations, instance and class side.
PElemTable Operations(const PElemTable& members);

// Starts a variable name list, in which every name is written once only and the
// names declared already (by superclasses) not at all.
void StartVariableNameList(const std::set<std::string>& declared);
// Writes the name and a blank, unless the current list already holds it.
void WriteListedVariable(const std::string& name);
// An attribute's entry in a variable name list.
void WriteVariableName(const PElement& member);
// An attribute's line of the class comment.
void WriteAttributeComment(const PElement& member);

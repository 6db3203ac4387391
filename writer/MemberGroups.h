// The member groups of a class and the attribute entries of its class text.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "model/ElemTable.h"
#include "model/Element.h"

// The groups of a class's members that its text writes, each a table in panel
// order; a group that stays empty is the shared empty table. "+" and a member
// without a visibility mark are public.
struct MemberGroupTables {
  PElemTable instanceAttributes = NoElements();
  PElemTable publicInstanceAttributes = NoElements();
  PElemTable classAttributes = NoElements();
  PElemTable publicClassAttributes = NoElements();
  PElemTable publicOperations = NoElements();
  PElemTable protectedOperations = NoElements();
  PElemTable privateOperations = NoElements();
  PElemTable publicClassOperations = NoElements();
  PElemTable protectedClassOperations = NoElements();
  PElemTable privateClassOperations = NoElements();
};
// All groups, taken in one walk over the class's member table.
MemberGroupTables GroupMembers(const PElemTable& members);
// All operations, instance and class side.
PElemTable Operations(const PElemTable& members);

// Starts a variable name list, in which every name is listed once only and the
// names declared already (by superclasses) not at all. The list must outlive
// the calls below.
void StartVariableNameList(const std::set<std::string>& declared, std::vector<std::string>& list);
// Adds the name to the current list, unless it holds it already.
void ListVariable(const std::string& name);
// Lists an attribute's variable.
void ListAttributeVariable(const PElement& member);
// Ends the current list: answers every name it took or was not to take.
std::set<std::string> TakeListedVariables();
// Lists each class attribute's variable in the current list, but for one that
// shares its name with an instance variable (ownInstanceNames, or
// inheritedInstanceNames of the superclasses): Smalltalk takes no class
// variable of that name, so it becomes a class-side instance variable, listed
// once in classInstanceVariables unless the class side of a superclass
// declares it (inheritedClassSide).
void ListClassAttributeVariables(const PElemTable& classAttributes,
                                 const std::set<std::string>& ownInstanceNames,
                                 const std::set<std::string>& inheritedInstanceNames,
                                 const std::set<std::string>& inheritedClassSide,
                                 std::vector<std::string>& classInstanceVariables);
// An attribute's line of the class comment.
void WriteAttributeComment(const PElement& member);

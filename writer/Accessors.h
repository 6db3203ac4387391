// Getter and setter methods of public attributes and link variables.
#pragma once

#include <string>
#include <string_view>

#include "model/ElemTable.h"
#include "model/Element.h"

class MethodSections;

// The word after "a" in an argument name: "Collection" for many objects,
// "nObject" for no type, "n" before a type that starts with a vowel.
std::string ArgumentWord(std::string_view typeName, const PElemTable& multiplicity);
// The same word, assigned to `word`, whose storage it reuses.
void AssignArgumentWord(std::string& word, std::string_view typeName,
                        const PElemTable& multiplicity);
// The argument name for a value of the type: aString, anInteger, aCollection.
std::string ArgumentName(const std::string& typeName, const PElemTable& multiplicity);

// Whether an attribute's property string holds the word readOnly ("{id, readOnly}"):
// the attribute gets no setter.
bool HoldsReadOnly(std::string_view properties);

// The setter (unless the attribute holds many objects or is read-only) and the getter.
void WriteAttributeAccessors(MethodSections& methods, const PElement& member);
// The setter (unless the link holds many objects) and the getter of a link variable.
void WriteLinkAccessors(MethodSections& methods, const PElement& relation);

// Superclasses, realised interfaces and inherited variables of the diagram's classes.
#pragma once

#include <cstddef>
#include <set>
#include <string>

#include "model/ElemTable.h"
#include "model/ElemType.h"

// Whether the output declares the class (IsDeclared), as found once for every
// class of allClasses.
bool IsDeclaredIn(const PClassType& cls, const PElemTable& allClasses);
// The class's place among the distinct classes of allClasses, counted in table
// order, or kNoClassPlace for a class that is not in it. Found without a lookup.
inline constexpr std::size_t kNoClassPlace = static_cast<std::size_t>(-1);
std::size_t ClassPlaceIn(const PClassType& cls, const PElemTable& allClasses);
// The classes of allClasses, in table order, that the class draws a solid
// generalisation to (a relation with two heads, the class at its tail): its
// superclasses. The first is the one the class is declared under; it never has
// the class's own Smalltalk name, and a superclass of that name is left out
// where it would have come first.
PElemTable Superclasses(const PClassType& cls, const PElemTable& allClasses);
// The first of the class's superclasses, or none.
PClassType WrittenSuperclass(const PClassType& cls, const PElemTable& allClasses);
// Likewise for dotted generalisations: the interfaces the class realises.
PElemTable RealisedInterfaces(const PClassType& cls, const PElemTable& allClasses);

// The class's own instance variable names (attributes and link variables) that
// a declared superclass, its superclass and so on declare already. The chain
// ends at a class met before and at a superclass that is not declared.
const std::set<std::string>& InheritedInstanceVariables(const PClassType& cls,
                                                        const PElemTable& allClasses);
// Likewise for class variable names.
const std::set<std::string>& InheritedClassVariables(const PClassType& cls,
                                                     const PElemTable& allClasses);
// The class's own class variable names that a declared superclass, its
// superclass and so on declare as instance variables.
const std::set<std::string>& ClassNamesOfInheritedInstanceVariables(const PClassType& cls,
                                                                    const PElemTable& allClasses);
// The class's own class-side instance variable names (class names that are
// instance variable names of the class) that an ancestor declares already on
// its class side.
const std::set<std::string>& InheritedClassInstanceVariables(const PClassType& cls,
                                                             const PElemTable& allClasses);

// Drops the facts gathered about the last table of classes, so that they do not
// hold its classes' memory until another table is asked about.
void ForgetHierarchyFacts();

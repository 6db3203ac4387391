// Superclasses, realised interfaces and inherited variables of the diagram's classes.
#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "model/ElemTable.h"
#include "model/ElemType.h"

// The class's place among the distinct classes of a table, counted in table
// order, or kNoClassPlace for a class that is not in it.
inline constexpr std::size_t kNoClassPlace = static_cast<std::size_t>(-1);

// What the lookups below need of every class of the table of all classes, gathered
// once when made, since every class of a file is written against that table. The
// table must not grow meanwhile. A class outside the table is looked up alone.
class Hierarchy {
 public:
  explicit Hierarchy(const PElemTable& allClasses);
  Hierarchy(const Hierarchy&) = delete;
  Hierarchy& operator=(const Hierarchy&) = delete;
  ~Hierarchy();

  const PElemTable& Classes() const { return classes_; }
  // Whether the output declares the class (IsDeclared).
  bool IsDeclaredIn(const PClassType& cls) const;
  // The class's place in the table; found without a lookup.
  std::size_t ClassPlaceIn(const PClassType& cls) const;
  // The classes of the table, in table order, that the class draws a solid
  // generalisation to (a relation with two heads, the class at its tail): its
  // superclasses. The first is the one the class is declared under; it never has
  // the class's own Smalltalk name, and a superclass of that name is left out
  // where it would have come first.
  PElemTable Superclasses(const PClassType& cls) const;
  // The first of the class's superclasses, or none.
  PClassType WrittenSuperclass(const PClassType& cls) const;
  // Likewise for dotted generalisations: the interfaces the class realises.
  PElemTable RealisedInterfaces(const PClassType& cls) const;

  // The class's own instance variable names (attributes and link variables) that
  // a declared superclass, its superclass and so on declare already. The chain
  // ends at a class met before and at a superclass that is not declared.
  const std::set<std::string>& InheritedInstanceVariables(const PClassType& cls) const;
  // Likewise for class variable names.
  const std::set<std::string>& InheritedClassVariables(const PClassType& cls) const;
  // The class's own class variable names that a declared superclass, its
  // superclass and so on declare as instance variables.
  const std::set<std::string>& ClassNamesOfInheritedInstanceVariables(const PClassType& cls) const;
  // The class's own class-side instance variable names (class names that are
  // instance variable names of the class) that an ancestor declares already on
  // its class side.
  const std::set<std::string>& InheritedClassInstanceVariables(const PClassType& cls) const;

  // What is gathered of one class, in table order.
  struct ClassFacts;

 private:
  const ClassFacts* FactsOf(const PClassType& cls) const;

  PElemTable classes_;
  std::vector<ClassFacts> facts_;
};

// The element table: the only container of the model, kept in insertion order.
#pragma once

#include <cstdint>
#include <memory>

#include "model/Element.h"
#include "model/ModelMemory.h"

class IElemTable;
using PElemTable = std::shared_ptr<IElemTable>;

// Callbacks are plain functions; the extra arguments of the table operations are
// the only context they get.
using ElemPredicate = bool (*)(const PElement& element);
using ElemPredicateWithElem = bool (*)(const PElement& element, const PElement& arg);
using ElemPredicateWithElems = bool (*)(const PElement& element, const PElement& arg1,
                                        const PElement& arg2);
using ElemPredicateWithTable = bool (*)(const PElement& element, const PElemTable& table);
using ElemProcedure = void (*)(const PElement& element);
using ElemProcedureWithTable = void (*)(const PElement& element, const PElemTable& table);
using ElemProcedureArgFirst = void (*)(const PElement& arg, const PElement& element);
using ElemProcedureWithNext = void (*)(const PElement& element, const PElement& next);

class IElemTable {
 public:
  virtual ~IElemTable() = default;
  virtual bool IsEmpty() const = 0;
  virtual int32_t Count() const = 0;
  virtual void Add(const PElement& element) = 0;
  // The element added first; raises "AnyOne: ElemTable is empty" on an empty table.
  virtual PElement AnyOne() const = 0;
  // Filters return a new table on the heap, even when nothing matches.
  virtual PElemTable Filter(ElemPredicate predicate) const = 0;
  virtual PElemTable FilterWithElem(const PElement& arg, ElemPredicateWithElem predicate) const = 0;
  virtual PElemTable FilterWithElems(const PElement& arg1, const PElement& arg2,
                                     ElemPredicateWithElems predicate) const = 0;
  virtual PElemTable FilterWithTable(const PElemTable& arg,
                                     ElemPredicateWithTable predicate) const = 0;
  virtual void ForEach(ElemProcedure procedure) const = 0;
  virtual void ForEachWithTable(const PElemTable& table,
                                ElemProcedureWithTable procedure) const = 0;
  virtual void ForEachWithElem(const PElement& arg, ElemProcedureArgFirst procedure) const = 0;
  // Calls the procedure with each element and its successor (empty for the last).
  virtual void ForEachWithNext(ElemProcedureWithNext procedure) const = 0;
};

// A new empty table, made with its storage in memory.
PElemTable NewElemTable(std::pmr::memory_resource& memory = HeapMemory());
// The one table that stands wherever a diagram gives nothing: no multiplicity,
// no parameters, no relations read yet. Shared by all, it refuses to be added to.
PElemTable NoElements();

// The element table: an insertion-ordered sequence of shared element references.
#include "model/ElemTable.h"

#include <cstddef>
#include <memory_resource>
#include <vector>

#include "model/ElemList.h"
#include "model/Error.h"

namespace {

// Walks are by index against the live size, and each element is copied before its
// callback runs: a callback may add to the very table it walks without
// invalidating anything, and the walk then visits the added elements too.
class TElemTable : public IElemTable {
 public:
  explicit TElemTable(std::pmr::memory_resource& memory, bool shared = false)
      : elements_(&memory), shared_(shared) {}
  bool IsEmpty() const override { return elements_.empty(); }
  int32_t Count() const override { return static_cast<int32_t>(elements_.size()); }
  void Add(const PElement& element) override;
  PElement AnyOne() const override;
  PElemTable Filter(ElemPredicate predicate) const override;
  PElemTable FilterWithElem(const PElement& arg, ElemPredicateWithElem predicate) const override;
  PElemTable FilterWithElems(const PElement& arg1, const PElement& arg2,
                             ElemPredicateWithElems predicate) const override;
  PElemTable FilterWithTable(const PElemTable& arg,
                             ElemPredicateWithTable predicate) const override;
  void ForEach(ElemProcedure procedure) const override;
  void ForEachWithTable(const PElemTable& table, ElemProcedureWithTable procedure) const override;
  void ForEachWithElem(const PElement& arg, ElemProcedureArgFirst procedure) const override;
  void ForEachWithNext(ElemProcedureWithNext procedure) const override;

  std::span<const PElement> Elements() const { return elements_; }

 private:
  // Calls visit with each element in order.
  template <class Visit>
  void Walk(Visit visit) const {
    for (std::size_t i = 0; i < elements_.size(); ++i) {
      PElement element = elements_[i];
      visit(element);
    }
  }

  // A new table of the elements that accepted answers true for, in order.
  template <class Accept>
  PElemTable Select(Accept accepted) const {
    PElemTable result = NewElemTable();
    Walk([&](const PElement& element) {
      if (accepted(element)) result->Add(element);
    });
    return result;
  }

  std::pmr::vector<PElement> elements_;
  bool shared_;  // the table of NoElements, which stays empty
};

void TElemTable::Add(const PElement& element) {
  if (shared_) throw GenericError("Add: the shared empty ElemTable takes no elements");
  elements_.push_back(element);
}

PElement TElemTable::AnyOne() const {
  if (elements_.empty()) throw GenericError("AnyOne: ElemTable is empty");
  return elements_.front();
}

PElemTable TElemTable::Filter(ElemPredicate predicate) const {
  return Select([&](const PElement& element) { return predicate(element); });
}

// The extra arguments are copied first, so that they stay alive for the whole
// walk whatever the callbacks do.
PElemTable TElemTable::FilterWithElem(const PElement& arg, ElemPredicateWithElem predicate) const {
  return Select([&, held = arg](const PElement& element) { return predicate(element, held); });
}

PElemTable TElemTable::FilterWithElems(const PElement& arg1, const PElement& arg2,
                                       ElemPredicateWithElems predicate) const {
  return Select([&, held1 = arg1, held2 = arg2](const PElement& element) {
    return predicate(element, held1, held2);
  });
}

PElemTable TElemTable::FilterWithTable(const PElemTable& arg,
                                       ElemPredicateWithTable predicate) const {
  return Select([&, held = arg](const PElement& element) { return predicate(element, held); });
}

void TElemTable::ForEach(ElemProcedure procedure) const {
  Walk([&](const PElement& element) { procedure(element); });
}

void TElemTable::ForEachWithTable(const PElemTable& table, ElemProcedureWithTable procedure) const {
  Walk([&, held = table](const PElement& element) { procedure(element, held); });
}

void TElemTable::ForEachWithElem(const PElement& arg, ElemProcedureArgFirst procedure) const {
  Walk([&, held = arg](const PElement& element) { procedure(held, element); });
}

void TElemTable::ForEachWithNext(ElemProcedureWithNext procedure) const {
  for (std::size_t i = 0; i < elements_.size(); ++i) {
    PElement element = elements_[i];
    PElement next = i + 1 < elements_.size() ? elements_[i + 1] : PElement();
    procedure(element, next);
  }
}

}  // namespace

PElemTable NewElemTable(std::pmr::memory_resource& memory) {
  return MakeModelObject<TElemTable>(memory, memory);
}

// Made on the heap, so that it outlives every arena; it never holds an element.
PElemTable NoElements() {
  static const PElemTable none = std::make_shared<TElemTable>(HeapMemory(), true);
  return none;
}

// Every table is made by NewElemTable, so every table is a TElemTable.
ElemList ElementsOf(const PElemTable& table) {
  return ElemList(table, static_cast<const TElemTable&>(*table).Elements());
}

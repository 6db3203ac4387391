// The elements of a table seen in place, for algorithms that index them or walk
// them without a callback.
#pragma once

#include <cstddef>
#include <span>
#include <utility>

#include "model/ElemTable.h"
#include "model/Element.h"

// The elements in table order. The list holds the table, so that it stays valid
// as long as the list lives and nothing is added to the table meanwhile.
class ElemList {
 public:
  ElemList(PElemTable table, std::span<const PElement> elements)
      : table_(std::move(table)), elements_(elements) {}
  std::span<const PElement>::iterator begin() const { return elements_.begin(); }
  std::span<const PElement>::iterator end() const { return elements_.end(); }
  std::size_t size() const { return elements_.size(); }
  const PElement& operator[](std::size_t index) const { return elements_[index]; }

 private:
  PElemTable table_;
  std::span<const PElement> elements_;
};

ElemList ElementsOf(const PElemTable& table);

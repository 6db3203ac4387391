// Recognising the table of all classes that facts about the classes were gathered from.
#pragma once

#include <cstdint>
#include <memory>

#include "model/ElemTable.h"

// Every class of a file is written against the same table of all classes, so
// facts that need the whole table are gathered once per table. A table only
// ever grows: the same table with the same count has not changed. The mark does
// not keep the table alive after the run.
class GatheredTable {
 public:
  // Asked for every class, so the tables' ownership is compared rather than the
  // weak reference locked each time; the weak reference keeps the table's
  // ownership record alive, so no other table can have the same.
  bool Is(const PElemTable& table) const {
    return !table_.owner_before(table) && !table.owner_before(table_) && !table_.expired() &&
           count_ == table->Count();
  }
  void Mark(const PElemTable& table) {
    table_ = table;
    count_ = table->Count();
  }

 private:
  std::weak_ptr<IElemTable> table_;
  int32_t count_ = -1;
};

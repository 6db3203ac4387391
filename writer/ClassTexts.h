// The classes' texts: made by worker threads ahead of the file, written in order.
#pragma once

#include <cstddef>
#include <vector>

#include "model/ElemTable.h"
#include "model/Element.h"

// How the classes are shared out. A class's weight is one plus its members,
// parameters and relations, a measure of the size of its text.
struct ClassBatching {
  // Threads besides the calling one; with none, every class is written straight
  // to the file.
  std::size_t workers = 0;
  // Classes are handed out in runs of about this weight.
  std::size_t batchWeight = 1;
  // A class of this weight or more is written straight to the file by the
  // calling thread, so that no thread holds a huge text.
  std::size_t streamWeight = 1;
};

// The batching for this machine.
ClassBatching DefaultBatching();

// Writes the classes in the given order, as WriteClass would one after the
// other: the file gets the same bytes, and when a class fails, the file ends
// where that class stopped and its error is raised. The caller must have called
// PrepareHierarchy for allClasses.
void WriteClassTexts(const std::vector<PElement>& order, const PElemTable& allClasses,
                     const ClassBatching& batching);

// Where the model's small objects are made: an arena a conversion gives, or the heap.
#pragma once

#include <memory>
#include <memory_resource>
#include <utility>

// The heap, for a model made outside an arena (tests, and the tables the writer
// makes as it goes).
std::pmr::memory_resource& HeapMemory();

// Makes the object, and its reference count beside it, in memory, which must
// outlive it.
template <class T, class... Args>
std::shared_ptr<T> MakeModelObject(std::pmr::memory_resource& memory, Args&&... args) {
  return std::allocate_shared<T>(std::pmr::polymorphic_allocator<T>(&memory),
                                 std::forward<Args>(args)...);
}

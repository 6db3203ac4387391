// The arena a run's model is made in, given back whole when the run ends.
#pragma once

#include <memory>
#include <memory_resource>
#include <utility>

// Owns the memory of the model's small objects (members, parameters,
// multiplicities and the tables) made while it is in use. Such an object is
// never given back one by one, which is what makes reading large diagrams and
// dropping their model cheap; the arena must outlive every object made in it.
class ModelArena {
 public:
  ModelArena();
  ModelArena(const ModelArena&) = delete;
  ModelArena& operator=(const ModelArena&) = delete;

 private:
  friend class ArenaInUse;
  std::pmr::monotonic_buffer_resource memory_;
};

// For its lifetime, the factories make their small objects in the arena.
class ArenaInUse {
 public:
  explicit ArenaInUse(ModelArena& arena);
  ~ArenaInUse();
  ArenaInUse(const ArenaInUse&) = delete;
  ArenaInUse& operator=(const ArenaInUse&) = delete;

 private:
  std::pmr::memory_resource* previous_;
};

// Where the factories make small objects: the arena in use, or the heap.
std::pmr::memory_resource* ModelMemory();

template <class T, class... Args>
std::shared_ptr<T> MakeModelObject(Args&&... args) {
  return std::allocate_shared<T>(std::pmr::polymorphic_allocator<T>(ModelMemory()),
                                 std::forward<Args>(args)...);
}

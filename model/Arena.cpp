// The arena a run's model is made in, given back whole when the run ends.
#include "model/Arena.h"

#include <cstddef>
#include <new>

namespace {

// Outside an arena, small objects come from the heap as the rest of the
// program's do. The library's own heap resource asks for every block with an
// explicit alignment, which the heap serves on a far slower path.
class PlainHeap final : public std::pmr::memory_resource {
  void* do_allocate(std::size_t bytes, std::size_t alignment) override {
    if (alignment <= __STDCPP_DEFAULT_NEW_ALIGNMENT__) return ::operator new(bytes);
    return ::operator new(bytes, std::align_val_t(alignment));
  }
  void do_deallocate(void* block, std::size_t bytes, std::size_t alignment) override {
    if (alignment <= __STDCPP_DEFAULT_NEW_ALIGNMENT__) {
      ::operator delete(block, bytes);
    } else {
      ::operator delete(block, bytes, std::align_val_t(alignment));
    }
  }
  bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override {
    return this == &other;
  }
};

// Never destroyed: tables held by other static objects may be dropped after it.
PlainHeap* const Heap = new PlainHeap;
std::pmr::memory_resource* Current = nullptr;

}  // namespace

ArenaInUse::ArenaInUse(ModelArena& arena) : previous_(Current) {
  Current = &arena.memory_;
}

ArenaInUse::~ArenaInUse() {
  Current = previous_;
}

std::pmr::memory_resource* ModelMemory() {
  return Current != nullptr ? Current : Heap;
}

// The heap as a memory resource for the model's objects.
#include "model/ModelMemory.h"

#include <cstddef>
#include <new>

namespace {

// The library's own heap resource asks for every block with an explicit
// alignment, which the heap serves on a far slower path.
class PlainHeap final : public std::pmr::memory_resource {
  void* do_allocate(std::size_t bytes, std::size_t alignment) override {
    if (alignment <= __STDCPP_DEFAULT_NEW_ALIGNMENT__) return ::operator new(bytes);
    return ::operator new(bytes, std::align_val_t(alignment));
  }
  // Unsized, since not every compiler declares the sized forms by default.
  void do_deallocate(void* block, std::size_t, std::size_t alignment) override {
    if (alignment <= __STDCPP_DEFAULT_NEW_ALIGNMENT__) {
      ::operator delete(block);
    } else {
      ::operator delete(block, std::align_val_t(alignment));
    }
  }
  bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override {
    return this == &other;
  }
};

// Never destroyed: tables held by static objects may be dropped after it. It
// holds no state, so every conversion may use it.
PlainHeap* const Heap = new PlainHeap;

}  // namespace

std::pmr::memory_resource& HeapMemory() {
  return *Heap;
}

// The arena a run's model is made in, given back whole when the run ends.
#include "model/Arena.h"

#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace {

// Outside an arena, small objects come from the heap as the rest of the
// program's do. The library's own heap resource asks for every block with an
// explicit alignment, which the heap serves on a far slower path.
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

// Never destroyed: tables held by other static objects may be dropped after it.
PlainHeap* const Heap = new PlainHeap;

// The size of the arena's first block; each next one is larger.
constexpr std::size_t kFirstBlock = std::size_t{2} << 20;

#ifdef __linux__
// The arena's blocks are large; on Linux they are asked for in huge pages where
// the system lends them, so that filling a block costs a few page faults instead
// of one per 4 KiB.
class HugeBlocks final : public std::pmr::memory_resource {
  static constexpr std::size_t kHugePage = std::size_t{2} << 20;

  static std::size_t Rounded(std::size_t bytes) {
    return (bytes + kHugePage - 1) & ~(kHugePage - 1);
  }
  void* do_allocate(std::size_t bytes, std::size_t) override {
    if (bytes > SIZE_MAX - kHugePage) throw std::bad_alloc();
    if (spare_ != nullptr && Rounded(bytes) == spareSize_) return std::exchange(spare_, nullptr);
    // From the heap, aligned to a huge page, rather than mapped apart: a leak
    // checker then looks through the blocks for the objects they refer to.
    void* block = ::operator new(Rounded(bytes), std::align_val_t(kHugePage));
    madvise(block, Rounded(bytes), MADV_HUGEPAGE);
    return block;
  }
  // One block given back is kept for the next arena: a process that makes one
  // model after another then asks the system for no memory each time, nor has
  // it cleared.
  void do_deallocate(void* block, std::size_t bytes, std::size_t) override {
    if (spare_ == nullptr) {
      spare_ = block;
      spareSize_ = Rounded(bytes);
      return;
    }
    ::operator delete(block, std::align_val_t(kHugePage));
  }
  bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override {
    return this == &other;
  }

  void* spare_ = nullptr;
  std::size_t spareSize_ = 0;
};

std::pmr::memory_resource* BlockSource() {
  static auto* const blocks = new HugeBlocks;
  return blocks;
}
#else
std::pmr::memory_resource* BlockSource() {
  return Heap;
}
#endif

// From this size on a block is large. Tables of a usual size stay below it.
constexpr std::size_t kLargeBlock = std::size_t{1} << 20;

std::pmr::memory_resource* Current = nullptr;

}  // namespace

ModelArena::ModelArena() : small_(kFirstBlock, BlockSource()) {}

ModelArena::~ModelArena() {
  for (const auto& [block, size] : large_)
    BlockSource()->deallocate(block, size.bytes, size.alignment);
}

// The list of a small block's size, or none (0) for a block whose size or
// alignment the lists do not serve; sizes are rounded up to the grain.
std::size_t ModelArena::FreeListOf(std::size_t bytes, std::size_t alignment) {
  if (bytes > kMaxReused || alignment > kGrain) return 0;
  return bytes == 0 ? 1 : (bytes + kGrain - 1) / kGrain;
}

void* ModelArena::do_allocate(std::size_t bytes, std::size_t alignment) {
  if (const std::size_t list = FreeListOf(bytes, alignment); list != 0) {
    if (FreeBlock* block = free_[list]) {
      free_[list] = block->next;
      return block;
    }
    return small_.allocate(list * kGrain, kGrain);
  }
  if (bytes < kLargeBlock) return small_.allocate(bytes, alignment);
  large_.reserve(large_.size() + 1);
  void* block = BlockSource()->allocate(bytes, alignment);
  large_.emplace(block, Block{bytes, alignment});
  return block;
}

void ModelArena::do_deallocate(void* block, std::size_t bytes, std::size_t alignment) {
  if (const std::size_t list = FreeListOf(bytes, alignment); list != 0) {
    free_[list] = new (block) FreeBlock{free_[list]};
    return;
  }
  if (bytes < kLargeBlock || large_.erase(block) == 0) return;
  BlockSource()->deallocate(block, bytes, alignment);
}

ArenaInUse::ArenaInUse(ModelArena& arena) : previous_(Current) {
  Current = &arena;
}

ArenaInUse::~ArenaInUse() {
  Current = previous_;
}

std::pmr::memory_resource* ModelMemory() {
  return Current != nullptr ? Current : Heap;
}

void KeepUntilExit(std::unique_ptr<ModelArena> arena, std::shared_ptr<IElemTable> model) {
  struct Kept {
    std::unique_ptr<ModelArena> arena;
    std::shared_ptr<IElemTable> model;
  };
  // Never destroyed, as the static objects are: that would take the model apart.
  static auto* const kept = new std::vector<Kept>;
  kept->push_back({std::move(arena), std::move(model)});
}

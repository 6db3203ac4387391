// The arena a conversion's model is made in, given back whole when the conversion ends.
#include "model/Arena.h"

#include <cstdint>
#include <new>
#include <utility>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace {

// The size of the arena's first block; each next one is larger.
constexpr std::size_t kFirstBlock = std::size_t{2} << 20;

// From this size on a block is large. Tables of a usual size stay below it.
constexpr std::size_t kLargeBlock = std::size_t{1} << 20;

// The arena's blocks are large; they are asked for whole huge pages.
constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::size_t Rounded(std::size_t bytes) {
  return (bytes + kHugePage - 1) & ~(kHugePage - 1);
}

// On Linux the blocks are lent in huge pages where the system has them, so that
// filling a block costs a few page faults instead of one per 4 KiB.
void AdviseHugePages([[maybe_unused]] void* block, [[maybe_unused]] std::size_t bytes) {
#ifdef __linux__
  madvise(block, bytes, MADV_HUGEPAGE);
#endif
}

}  // namespace

ArenaBlocks::~ArenaBlocks() {
  if (spare_ != nullptr) ::operator delete(spare_, std::align_val_t(kHugePage));
}

// From the heap, aligned to a huge page, rather than mapped apart: a leak
// checker then looks through the blocks for the objects they refer to.
void* ArenaBlocks::do_allocate(std::size_t bytes, std::size_t) {
  if (bytes > SIZE_MAX - kHugePage) throw std::bad_alloc();
  if (spare_ != nullptr && Rounded(bytes) == spareSize_) return std::exchange(spare_, nullptr);
  void* block = ::operator new(Rounded(bytes), std::align_val_t(kHugePage));
  AdviseHugePages(block, Rounded(bytes));
  return block;
}

void ArenaBlocks::do_deallocate(void* block, std::size_t bytes, std::size_t) {
  if (spare_ == nullptr) {
    spare_ = block;
    spareSize_ = Rounded(bytes);
    return;
  }
  ::operator delete(block, std::align_val_t(kHugePage));
}

ModelArena::ModelArena() : ModelArena(ownBlocks_) {}

ModelArena::ModelArena(ArenaBlocks& blocks) : blocks_(blocks), small_(kFirstBlock, &blocks) {}

ModelArena::~ModelArena() {
  for (const auto& [block, size] : large_) blocks_.deallocate(block, size.bytes, size.alignment);
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
  void* block = blocks_.allocate(bytes, alignment);
  large_.emplace(block, Block{bytes, alignment});
  return block;
}

void ModelArena::do_deallocate(void* block, std::size_t bytes, std::size_t alignment) {
  if (const std::size_t list = FreeListOf(bytes, alignment); list != 0) {
    free_[list] = new (block) FreeBlock{free_[list]};
    return;
  }
  if (bytes < kLargeBlock || large_.erase(block) == 0) return;
  blocks_.deallocate(block, bytes, alignment);
}

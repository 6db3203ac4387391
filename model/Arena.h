// The arena a conversion's model is made in, given back whole when the conversion ends.
#pragma once

#include <array>
#include <cstddef>
#include <memory_resource>
#include <unordered_map>

// Where arenas take their blocks from. One block given back is kept for the next
// request of its size: a process that makes model after model in arenas of one
// source then asks the system for no memory each time, nor has it cleared.
class ArenaBlocks final : public std::pmr::memory_resource {
 public:
  ArenaBlocks() = default;
  ~ArenaBlocks() override;
  ArenaBlocks(const ArenaBlocks&) = delete;
  ArenaBlocks& operator=(const ArenaBlocks&) = delete;

 private:
  void* do_allocate(std::size_t bytes, std::size_t alignment) override;
  void do_deallocate(void* block, std::size_t bytes, std::size_t alignment) override;
  bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override {
    return this == &other;
  }

  void* spare_ = nullptr;
  std::size_t spareSize_ = 0;
};

// Owns the memory of the model's small objects (members, parameters,
// multiplicities and the tables) that the factories are asked to make in it.
// Such an object is never given back to the system one by one, which is what
// makes reading large diagrams and dropping their model cheap; the arena must
// outlive every object made in it.
// A large block (the storage of a long table) is the exception: it goes back
// when its owner lets it go, so that a table that grows leaves none of its
// earlier copies behind, and whatever is left goes back with the arena.
class ModelArena final : public std::pmr::memory_resource {
 public:
  // Takes its blocks from a source of its own.
  ModelArena();
  // Takes its blocks from blocks, which must outlive it.
  explicit ModelArena(ArenaBlocks& blocks);
  ~ModelArena() override;
  ModelArena(const ModelArena&) = delete;
  ModelArena& operator=(const ModelArena&) = delete;

 private:
  struct Block {
    std::size_t bytes;
    std::size_t alignment;
  };

  static std::size_t FreeListOf(std::size_t bytes, std::size_t alignment);
  void* do_allocate(std::size_t bytes, std::size_t alignment) override;
  void do_deallocate(void* block, std::size_t bytes, std::size_t alignment) override;
  bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override {
    return this == &other;
  }

  // A small block given back waits in the list of its size for the next request
  // of that size: the storage a table leaves behind as it grows, and objects
  // dropped while the model is made, are then used again rather than lost.
  struct FreeBlock {
    FreeBlock* next;
  };
  static constexpr std::size_t kGrain = alignof(FreeBlock);
  static constexpr std::size_t kMaxReused = 1024;

  // Declared first, so that it is made before the resources that take from it
  // and outlives them.
  ArenaBlocks ownBlocks_;
  ArenaBlocks& blocks_;
  std::pmr::monotonic_buffer_resource small_;
  std::array<FreeBlock*, kMaxReused / kGrain + 1> free_{};
  std::unordered_map<void*, Block> large_;
};

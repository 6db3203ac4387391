// The arena a run's model is made in, given back whole when the run ends.
#pragma once

#include <array>
#include <memory>
#include <memory_resource>
#include <unordered_map>
#include <utility>

// Owns the memory of the model's small objects (members, parameters,
// multiplicities and the tables) made while it is in use. Such an object is
// never given back to the system one by one, which is what makes reading large
// diagrams and dropping their model cheap; the arena must outlive every object
// made in it.
// A large block (the storage of a long table) is the exception: it goes back
// when its owner lets it go, so that a table that grows leaves none of its
// earlier copies behind, and whatever is left goes back with the arena.
class ModelArena final : public std::pmr::memory_resource {
 public:
  ModelArena();
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

  std::pmr::monotonic_buffer_resource small_;
  std::array<FreeBlock*, kMaxReused / kGrain + 1> free_{};
  std::unordered_map<void*, Block> large_;
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

class IElemTable;

// Hands an arena and the model made in it to the end of the process, which gives
// back their memory whole: nothing of them is taken apart object by object. They
// stay reachable, so a leak checker finds nothing lost. Only for a process that
// ends right after its one run.
void KeepUntilExit(std::unique_ptr<ModelArena> arena, std::shared_ptr<IElemTable> model);

// The arena a run's model is made in, given back whole when the run ends.
#include "model/Arena.h"

namespace {

std::pmr::memory_resource* Current = std::pmr::new_delete_resource();

}  // namespace

ArenaInUse::ArenaInUse(ModelArena& arena) : previous_(Current) {
  Current = &arena.memory_;
}

ArenaInUse::~ArenaInUse() {
  Current = previous_;
}

std::pmr::memory_resource* ModelMemory() {
  return Current;
}

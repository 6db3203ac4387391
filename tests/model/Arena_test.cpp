// The model arena: small blocks given back are handed out again, and only safely.
#include "model/Arena.h"

#include <gtest/gtest.h>

// A block given back serves the next request of its size (rounded up to the
// grain), never a larger one, and never two requests at once.
TEST(ModelArena, HandsOutAGivenBackBlockOnceForItsSize) {
  ModelArena arena;
  void* first = arena.allocate(24, 8);
  void* second = arena.allocate(24, 8);
  EXPECT_NE(first, second);
  arena.deallocate(first, 24, 8);
  EXPECT_NE(arena.allocate(40, 8), first);
  EXPECT_EQ(arena.allocate(20, 8), first);
  EXPECT_NE(arena.allocate(24, 8), first);
}

// A class's methods in one buffer: each keeps its texts however the buffer moves.
#include "tonel/TonelClass.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Replacing a method again and again makes the buffer copy its used texts together, and
// a method copied from the buffer into itself makes it grow: a method whose texts were
// read at a stale place, or from the freed buffer, fails.
TEST(TonelMethods, TextsSurviveReplacingAndGrowing) {
  TonelMethods methods = {{false, "accessing", "a", "a\n\t^ a"}, {true, "public", "b", "b"}};
  for (int i = 0; i < 200; ++i) {
    const std::string source = "a\n\t^ " + std::to_string(i);
    methods.Replace(0, {false, "accessing", "a", source});
    methods.push_back(methods[1]);
  }
  ASSERT_EQ(methods.size(), 202u);
  EXPECT_EQ(methods[0], (TonelMethod{false, "accessing", "a", "a\n\t^ 199"}));
  for (const TonelMethod& method : methods) {
    if (method.selector == "b") {
      EXPECT_EQ(method, (TonelMethod{true, "public", "b", "b"}));
    }
  }
  methods.AppendToDraft("c: x");
  methods.AppendToDraft("\n\t^ x");
  methods.ReplaceWithDraft(1, "accessing", "c:");
  EXPECT_EQ(methods[1], (TonelMethod{true, "accessing", "c:", "c: x\n\t^ x"}));
  EXPECT_EQ(methods[0].source, "a\n\t^ 199");
}

}  // namespace

// A class's methods in one buffer: each keeps its texts however the buffer moves.
#include "tonel/TonelClass.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Replacing a method again and again makes the buffer copy its used texts together, a
// method copied from the buffer into itself makes it grow, and a draft no longer than the
// method it replaces takes that one's place: a method whose texts were read at a stale
// place, or from the freed buffer, or written over another's, fails.
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
  // No longer than the one it replaces: in that one's place.
  methods.AppendToDraft("c: y\n\t^ y");
  methods.ReplaceWithDraft(1, "public", "c:");
  EXPECT_EQ(methods[1], (TonelMethod{true, "public", "c:", "c: y\n\t^ y"}));
  EXPECT_EQ(methods[0].source, "a\n\t^ 199");
  EXPECT_EQ(methods[2], (TonelMethod{true, "public", "b", "b"}));
}

}  // namespace

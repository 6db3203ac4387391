// Tests of parameters, whose multiplicity is a table of ranges.
#include <gtest/gtest.h>

#include <string>

#include "model/Param.h"

namespace {

// A parameter keeps each argument of its factory in its own field.
TEST(MultiplicityTest, ParamFields) {
  PElemTable mult = NewElemTable();
  PParam param = NewParam("item", "Item", mult, "nil");
  EXPECT_EQ(param->GetName() + "|" + param->GetType() + "|" + param->GetDefault(), "item|Item|nil");
  EXPECT_EQ(param->GetMultiplicity(), mult);
}

}  // namespace

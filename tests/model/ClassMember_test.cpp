// Tests of class members: stored fields, downcasts and kind tests.
#include "model/ClassMember.h"

#include <gtest/gtest.h>

#include <string>

#include "model/ElemType.h"
#include "model/Error.h"
#include "model/Multiplicity.h"

namespace {

template <class Call>
std::string CastFailure(Call call) {
  try {
    call();
  } catch (const InvalidCastError& error) {
    return error.what();
  }
  return "";
}

// The factories store every argument as given and share the tables.
TEST(ClassMemberTest, FieldsAsGiven) {
  PElemTable mult = NewElemTable();
  mult->Add(NewMultiplicity("0", "n"));
  PClassMember var = NewMemberVar(true, " ", "total", "Integer", mult, "'x'");
  EXPECT_TRUE(var->GetStatic());
  EXPECT_EQ(var->GetVisibility(), " ");
  EXPECT_EQ(var->GetName(), "total");
  EXPECT_EQ(var->GetTypeName(), "Integer");
  PMemberVar asVar = ToMemberVar(var);
  EXPECT_EQ(asVar->GetMultiplicity(), mult);
  EXPECT_EQ(asVar->GetDefault(), "'x'");

  PElemTable params = NewElemTable();
  PClassMember fun = NewMemberFun(false, true, "#", "run", "Boolean", params);
  EXPECT_FALSE(fun->GetStatic());
  EXPECT_EQ(fun->GetVisibility(), "#");
  EXPECT_EQ(fun->GetName(), "run");
  EXPECT_EQ(fun->GetTypeName(), "Boolean");
  PMemberFun asFun = ToMemberFun(fun);
  EXPECT_TRUE(asFun->GetAbstract());
  EXPECT_EQ(asFun->GetParams(), params);

  PClassMember plain = NewMemberFun(true, false, "-", "f", "", NewElemTable());
  EXPECT_TRUE(plain->GetStatic());
  EXPECT_FALSE(ToMemberFun(plain)->GetAbstract());
}

// Each downcast accepts its own class (ToClassMember also both subclasses).
TEST(ClassMemberTest, Downcasts) {
  PElement var = NewMemberVar(false, "+", "a", "", NewElemTable(), "");
  PElement fun = NewMemberFun(false, false, "+", "f", "", NewElemTable());
  PElement cls = NewClassType();

  EXPECT_EQ(CastFailure([&] { ToClassMember(var); }), "");
  EXPECT_EQ(CastFailure([&] { ToClassMember(fun); }), "");
  EXPECT_EQ(CastFailure([&] { ToClassMember(cls); }),
            "Invalid downcast of IElement to IClassMember");
  EXPECT_EQ(CastFailure([&] { ToMemberVar(var); }), "");
  EXPECT_EQ(CastFailure([&] { ToMemberVar(fun); }), "Invalid downcast of IElement to IMemberVar");
  EXPECT_EQ(CastFailure([&] { ToMemberVar(cls); }), "Invalid downcast of IElement to IMemberVar");
  EXPECT_EQ(CastFailure([&] { ToMemberFun(fun); }), "");
  EXPECT_EQ(CastFailure([&] { ToMemberFun(var); }), "Invalid downcast of IElement to IMemberFun");
  EXPECT_EQ(CastFailure([&] { ToMemberFun(NewMultiplicity("1", "1")); }),
            "Invalid downcast of IElement to IMemberFun");
  EXPECT_EQ(CastFailure([&] { ToElemType(var); }), "Invalid downcast of IElement to IElemType");

  EXPECT_EQ(ToClassMember(nullptr), nullptr);
  EXPECT_EQ(ToMemberVar(nullptr), nullptr);
  EXPECT_EQ(ToMemberFun(nullptr), nullptr);
  EXPECT_EQ(ToClassMember(fun)->GetName(), "f");
}

// The kind tests tell attributes from operations and reject everything else.
TEST(ClassMemberTest, KindTests) {
  PElement var = NewMemberVar(false, "+", "a", "", NewElemTable(), "");
  PElement fun = NewMemberFun(false, false, "+", "f", "", NewElemTable());
  PElement other = NewClassType();
  EXPECT_TRUE(IsMemberVar(var));
  EXPECT_FALSE(IsMemberVar(fun));
  EXPECT_FALSE(IsMemberVar(other));
  EXPECT_TRUE(IsMemberFun(fun));
  EXPECT_FALSE(IsMemberFun(var));
  EXPECT_FALSE(IsMemberFun(other));

  PElemTable members = NewElemTable();
  members->Add(var);
  members->Add(fun);
  members->Add(var);
  EXPECT_EQ(members->Filter(IsMemberVar)->Count(), 2);
  EXPECT_EQ(members->Filter(IsMemberFun)->AnyOne(), fun);
}

}  // namespace

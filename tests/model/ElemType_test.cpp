// Tests of diagram elements: initial values, class and relation data, downcasts.
#include "model/ElemType.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "model/ClassMember.h"
#include "model/Error.h"
#include "model/Multiplicity.h"
#include "model/Param.h"

namespace {

// The message of the invalid-cast error the call raises, or "" when it succeeds.
std::string CastFailure(const std::function<void()>& call) {
  try {
    call();
  } catch (const InvalidCastError& error) {
    return error.what();
  }
  return "";
}

struct ElementKind {
  const char* kind;
  std::function<PElement()> make;
};

const std::vector<ElementKind> kKinds = {
    {"plain", [] { return PElement(NewElemType()); }},
    {"class", [] { return PElement(NewClassType()); }},
    {"relation", [] { return PElement(NewRelType()); }},
    {"multiplicity", [] { return PElement(NewMultiplicity("0", "n")); }},
    {"param", [] { return PElement(NewParam("p", "T", NewElemTable(), "")); }},
    {"attribute", [] { return PElement(NewMemberVar(false, "+", "a", "T", NewElemTable(), "")); }},
};

// Which kinds each downcast accepts; every other kind raises the message.
struct DowncastCase {
  const char* message;
  std::function<void(const PElement&)> cast;
  std::vector<std::string> accepted;
};

const std::vector<DowncastCase> kDowncasts = {
    {"Invalid downcast of IElement to IElemType",
     [](const PElement& e) { ToElemType(e); },
     {"plain", "class", "relation"}},
    {"Invalid downcast of IElement to IClassType",
     [](const PElement& e) { ToClassType(e); },
     {"class"}},
    {"Invalid downcast of IElement to IRelType",
     [](const PElement& e) { ToRelType(e); },
     {"relation"}},
    {"Invalid downcast of IElement to IMultiplicity",
     [](const PElement& e) { ToMultiplicity(e); },
     {"multiplicity"}},
    {"Invalid downcast of IElement to IParam", [](const PElement& e) { ToParam(e); }, {"param"}},
};

TEST(ElemTypeTest, DowncastAcceptance) {
  for (const DowncastCase& downcast : kDowncasts) {
    for (const ElementKind& kind : kKinds) {
      bool accepted = std::find(downcast.accepted.begin(), downcast.accepted.end(), kind.kind) !=
                      downcast.accepted.end();
      PElement element = kind.make();
      EXPECT_EQ(CastFailure([&] { downcast.cast(element); }), accepted ? "" : downcast.message)
          << downcast.message << " of " << kind.kind;
    }
    EXPECT_EQ(CastFailure([&] { downcast.cast(nullptr); }), "") << downcast.message;
  }
}

// Empty in, empty out; a narrowed reference is the same object and shares ownership.
TEST(ElemTypeTest, DowncastResults) {
  EXPECT_EQ(ToElemType(nullptr), nullptr);
  EXPECT_EQ(ToClassType(nullptr), nullptr);
  EXPECT_EQ(ToRelType(nullptr), nullptr);
  EXPECT_EQ(ToMultiplicity(nullptr), nullptr);
  EXPECT_EQ(ToParam(nullptr), nullptr);

  PClassType cls = NewClassType();
  cls->SetName("Order");
  PElement element = cls;
  PElemType asElem = ToElemType(element);
  EXPECT_EQ(asElem->GetName(), "Order");
  EXPECT_EQ(asElem->GetSelf(), cls->GetSelf());

  std::weak_ptr<IClassType> watched = cls;
  PClassType narrowed = ToClassType(element);
  cls.reset();
  element.reset();
  asElem.reset();
  EXPECT_FALSE(watched.expired());
  EXPECT_EQ(narrowed->GetName(), "Order");
  narrowed.reset();
  EXPECT_TRUE(watched.expired());
}

// Plain and class elements start with unread coordinates; relations with zeros.
TEST(ElemTypeTest, InitialValues) {
  std::vector<PElemType> unread = {NewElemType(), NewClassType()};
  for (const PElemType& element : unread) {
    EXPECT_EQ(element->GetX(), -2147483647 - 1);
    EXPECT_EQ(element->GetY(), -2147483647 - 1);
    EXPECT_EQ(element->GetW(), -2147483647 - 1);
    EXPECT_EQ(element->GetH(), -2147483647 - 1);
    EXPECT_EQ(element->GetStereotype(), "");
    EXPECT_EQ(element->GetName(), "");
    EXPECT_EQ(element->GetTypeName(), "");
  }

  PRelType rel = NewRelType();
  EXPECT_EQ(rel->GetX(), 0);
  EXPECT_EQ(rel->GetY(), 0);
  EXPECT_EQ(rel->GetW(), 0);
  EXPECT_EQ(rel->GetH(), 0);
  EXPECT_EQ(rel->GetName(), "");
  EXPECT_EQ(rel->GetLineStyle(), '\0');
  EXPECT_EQ(rel->GetHeadSize(), 0);
  EXPECT_EQ(rel->GetDirection(), 0);
  EXPECT_EQ(rel->GetClass1(), nullptr);
  EXPECT_EQ(rel->GetClass2(), nullptr);
  for (const PElemTable& mult : {rel->GetMult1(), rel->GetMult2()}) {
    ASSERT_NE(mult, nullptr);
    EXPECT_TRUE(mult->IsEmpty());
  }
  // The ends share the one empty table, which refuses what would reach both.
  EXPECT_EQ(rel->GetMult1(), NoElements());
  EXPECT_THROW(rel->GetMult2()->Add(NewMultiplicity("0", "1")), GenericError);
  EXPECT_TRUE(rel->GetMult1()->IsEmpty());
  EXPECT_EQ(rel->GetRole1() + rel->GetRole2() + rel->GetQualifier1() + rel->GetQualifier2(), "");
}

// A class starts with its own empty tables and flags off; members keep their order.
TEST(ElemTypeTest, ClassElement) {
  PClassType cls = NewClassType();
  ASSERT_NE(cls->GetMembers(), nullptr);
  ASSERT_NE(cls->GetRelations(), nullptr);
  EXPECT_TRUE(cls->GetMembers()->IsEmpty());
  EXPECT_TRUE(cls->GetRelations()->IsEmpty());
  EXPECT_NE(cls->GetMembers(), cls->GetRelations());
  EXPECT_NE(NewClassType()->GetMembers(), cls->GetMembers());
  EXPECT_EQ(cls->GetRelations(), cls->GetRelations());
  EXPECT_FALSE(cls->GetUnderlined());
  EXPECT_FALSE(cls->GetWritten());

  PClassMember first = NewMemberVar(false, "-", "total", "Integer", NewElemTable(), "");
  PClassMember second = NewMemberFun(false, false, "+", "addItem", "", NewElemTable());
  cls->AddMember(first);
  cls->AddMember(second);
  ASSERT_EQ(cls->GetMembers()->Count(), 2);
  EXPECT_EQ(cls->GetMembers()->AnyOne(), first);
  std::vector<PElement> seen;
  static std::vector<PElement>* sink = nullptr;
  sink = &seen;
  cls->GetMembers()->ForEach([](const PElement& e) { sink->push_back(e); });
  EXPECT_EQ(seen, (std::vector<PElement>{first, second}));
}

// Setting a multiplicity table replaces it without touching the old one.
TEST(ElemTypeTest, RelationMultiplicityReplaced) {
  PRelType rel = NewRelType();
  PElemTable before = rel->GetMult1();
  PElemTable replacement = NewElemTable();
  replacement->Add(NewMultiplicity("0", "1"));
  rel->SetMult1(replacement);
  EXPECT_EQ(rel->GetMult1(), replacement);
  EXPECT_TRUE(before->IsEmpty());
  EXPECT_TRUE(rel->GetMult2()->IsEmpty());
  rel->SetMult2(before);
  EXPECT_EQ(rel->GetMult2(), before);
}

}  // namespace

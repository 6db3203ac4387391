// Link variables, constraint lines and multiplicity texts derived from relations.
#include "writer/Relations.h"

#include <algorithm>
#include <array>

#include "model/Charset.h"
#include "model/ElemList.h"
#include "model/Multiplicity.h"
#include "model/Unicode.h"
#include "writer/Compose.h"
#include "writer/Naming.h"

namespace {

bool IsLinkRelation(const PElement& element, const PElement& cls) {
  PRelType relation = ToRelType(element);
  int32_t direction = relation->GetDirection();
  return relation->GetHeadSize() == 1 && IsClassAt(relation->GetClass1(), cls) &&
         (direction == 1 || direction == 2);
}

bool IsConstraintRelation(const PElement& element) {
  PRelType relation = ToRelType(element);
  int32_t direction = relation->GetDirection();
  if (relation->GetHeadSize() == 2) return false;
  return relation->GetHeadSize() != 1 || direction == 0 || direction == 3;
}

bool IsUnbounded(const PElement& range) {
  return ToMultiplicity(range)->GetUpper() == "n";
}

bool IsExactlyOne(const PElemTable& multiplicity) {
  if (multiplicity->Count() != 1) return false;
  PMultiplicity range = ToMultiplicity(multiplicity->AnyOne());
  return range->GetLower() == "1" && range->GetUpper() == "1";
}

}  // namespace

std::string KindWords(int32_t headSize) {
  static const std::array<const char*, 5> kWords = {"associates", "navigates", "inherits",
                                                    "aggregates", "composes"};
  // More heads than a composition has still read as a composition.
  return kWords[static_cast<std::size_t>(std::clamp<int32_t>(headSize, 0, 4))];
}

bool IsClassAt(const PClassType& end, const PElement& cls) {
  return end && cls && end->GetSelf() == cls->GetSelf();
}

// Most classes of a large diagram touch no relation, and each is asked several
// times: they share the empty table rather than get a new one each time.
PElemTable LinkRelations(const PClassType& cls) {
  const PElemTable relations = cls->GetRelations();
  return relations->IsEmpty() ? NoElements() : relations->FilterWithElem(cls, IsLinkRelation);
}

PElemTable ConstraintRelations(const PClassType& cls) {
  const PElemTable relations = cls->GetRelations();
  return relations->IsEmpty() ? NoElements() : relations->Filter(IsConstraintRelation);
}

std::string LinkText(const PRelType& relation) {
  std::string text = relation->GetName();
  if (text.empty()) {
    text = relation->GetDirection() == 1 ? relation->GetRole1() : relation->GetRole2();
  }
  if (text.empty() && relation->GetClass2()) text = relation->GetClass2()->GetName();
  if (text.empty()) text = "noNameLink";
  return text;
}

std::string LinkName(const PRelType& relation) {
  std::string name = StIdentifier(LinkText(relation));
  if (KindOf(FirstCharacter(name)) == CharKind::UppercaseLetter) LowercaseFirst(name);
  return name;
}

PElemTable HeadMultiplicity(const PRelType& relation) {
  return relation->GetDirection() == 1 ? relation->GetMult1() : relation->GetMult2();
}

PElemTable TailMultiplicity(const PRelType& relation) {
  return relation->GetDirection() == 2 ? relation->GetMult1() : relation->GetMult2();
}

void WriteLinkDescription(Composer& out, const PElement& element) {
  PRelType relation = ToRelType(element);
  out.Write("  ");
  out.Write(LinkName(relation));
  out.Write("\t");
  WriteClassName(out, relation->GetClass2());
  WriteMultiplicity(out, HeadMultiplicity(relation));
  out.Write(" constraint: ");
  PElemTable tail = TailMultiplicity(relation);
  if (tail->IsEmpty() || IsExactlyOne(tail)) {
    out.Write("single instance of ");
  } else {
    WriteMultiplicity(out, tail);
    out.Write(" of ");
  }
  out.WriteLine("this side of link. Description...");
}

void WriteConstraintLine(Composer& out, const PElement& element) {
  PRelType relation = ToRelType(element);
  out.Write("\t\"#");
  out.Write(LinkName(relation));
  out.Write(" ");
  out.Write(KindWords(relation->GetHeadSize()));
  out.Write(" from: #");
  WriteClassName(out, relation->GetClass1());
  out.Write(" to: #");
  WriteClassName(out, relation->GetClass2());
  out.WriteLine("\"");
}

bool HasMultiplicityText(const PElemTable& multiplicity) {
  return !multiplicity->IsEmpty() && !IsExactlyOne(multiplicity);
}

void WriteMultiplicity(Composer& out, const PElemTable& multiplicity) {
  if (!HasMultiplicityText(multiplicity)) return;
  const ElemList ranges = ElementsOf(multiplicity);
  for (const PElement& range : ranges) {
    if (!IsUnbounded(range)) continue;
    out.Write("[*]");
    return;
  }
  out.Write("[");
  for (std::size_t i = 0; i < ranges.size(); ++i) {
    if (i > 0) out.Write(", ");
    PMultiplicity range = ToMultiplicity(ranges[i]);
    out.Write(range->GetLower());
    out.Write("..");
    out.Write(range->GetUpper());
  }
  out.Write("]");
}

bool IsOptional(const PElemTable& multiplicity) {
  return multiplicity->IsEmpty() || ToMultiplicity(multiplicity->AnyOne())->GetLower() == "0";
}

bool IsMany(const PElemTable& multiplicity) {
  return !multiplicity->IsEmpty() && ToMultiplicity(multiplicity->AnyOne())->GetUpper() != "1";
}

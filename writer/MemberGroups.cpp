// The member groups of a class and the attribute entries of its class text.
#include "writer/MemberGroups.h"

#include <set>

#include "model/ClassMember.h"
#include "model/Downcast.h"
#include "model/ElemList.h"
#include "writer/Compose.h"
#include "writer/Naming.h"
#include "writer/Relations.h"

namespace {

std::uint16_t Bit(MemberGroup group) {
  return static_cast<std::uint16_t>(1u << static_cast<unsigned>(group));
}

// The operation group of the given side and visibility mark.
MemberGroup OperationGroup(bool classSide, char visibility) {
  if (visibility == '-')
    return classSide ? MemberGroup::PrivateClassOperations : MemberGroup::PrivateOperations;
  if (visibility == '#') {
    return classSide ? MemberGroup::ProtectedClassOperations : MemberGroup::ProtectedOperations;
  }
  return classSide ? MemberGroup::PublicClassOperations : MemberGroup::PublicOperations;
}

// The bits of the groups the member is in; none for another element. Read
// through the implementing objects, since this runs once for every member.
std::uint16_t GroupsOf(const PElement& member) {
  IElement* self = member ? member->GetSelf() : nullptr;
  const TMemberVar* attribute = self ? ImplementationAs<TMemberVar>(self) : nullptr;
  const TClassMember* classMember = attribute;
  if (attribute == nullptr) {
    const TMemberFun* operation = self ? ImplementationAs<TMemberFun>(self) : nullptr;
    if (operation == nullptr) return 0;
    return Bit(OperationGroup(operation->GetStatic(), operation->GetVisibility()[0]));
  }
  const bool classSide = classMember->GetStatic();
  const char visibility = classMember->GetVisibility()[0];
  std::uint16_t groups =
      Bit(classSide ? MemberGroup::ClassAttributes : MemberGroup::InstanceAttributes);
  if (visibility != '-' && visibility != '#') {
    groups |=
        Bit(classSide ? MemberGroup::PublicClassAttributes : MemberGroup::PublicInstanceAttributes);
  }
  return groups;
}

// Replaces single quotes, which would end the class comment they stand in.
std::string WithDoubleQuotes(std::string text) {
  for (char& c : text) {
    if (c == '\'') c = '"';
  }
  return text;
}

}  // namespace

MemberGroups::MemberGroups(const PElemTable& members) : members_(ElementsOf(members)) {
  groupsOf_.reserve(members_.size());
  for (const PElement& member : members_) {
    groupsOf_.push_back(GroupsOf(member));
    present_ |= groupsOf_.back();
  }
}

bool MemberGroupView::IsEmpty() const {
  return (groups_.present_ & bit_) == 0;
}

PElemTable Operations(const PElemTable& members) {
  return members->Filter(IsMemberFun);
}

void VariableNameLists::StartVariableNameList(const std::set<std::string>& declared,
                                              std::vector<std::string>& list) {
  listed_.Assign(declared);
  list_ = &list;
}

void VariableNameLists::ListVariable(const std::string& name) {
  if (listed_.Insert(name)) list_->push_back(name);
}

void VariableNameLists::ListAttributeVariable(const PElement& member) {
  ListVariable(StIdentifier(ToMemberVar(member)->GetName()));
}

const NameSet& VariableNameLists::TakeListedVariables() {
  list_ = nullptr;
  std::swap(listed_, taken_);
  return taken_;
}

void VariableNameLists::ListClassAttributeVariables(
    const MemberGroupView& classAttributes, const NameSet& ownInstanceNames,
    const std::set<std::string>& inheritedInstanceNames,
    const std::set<std::string>& inheritedClassSide,
    std::vector<std::string>& classInstanceVariables) {
  NameSet listed;
  listed.Assign(inheritedClassSide);
  classAttributes.Walk([&](const PElement& member) {
    std::string name = StIdentifier(ToMemberVar(member)->GetName());
    if (!ownInstanceNames.Contains(name) && !inheritedInstanceNames.contains(name)) {
      ListVariable(name);
    } else if (listed.Insert(name)) {
      classInstanceVariables.push_back(std::move(name));
    }
  });
}

void WriteAttributeComment(Composer& out, const PElement& member) {
  PMemberVar attribute = ToMemberVar(member);
  out.Write("  ");
  WriteIdentifier(out, attribute->GetName());
  out.Write("\t");
  if (!attribute->GetTypeName().empty()) {
    out.Write(" ");
    // Named only here, so that an unusable type leaves the line written up to it.
    WriteTypeName(out, attribute->GetTypeName());
    out.Write(" ");
    WriteMultiplicity(out, attribute->GetMultiplicity());
  }
  if (!attribute->GetDefault().empty()) {
    out.Write(" = ");
    out.Write(WithDoubleQuotes(attribute->GetDefault()));
  }
  if (!attribute->GetProperties().empty()) {
    out.Write(" ");
    out.Write(WithDoubleQuotes(attribute->GetProperties()));
  }
  out.WriteLine(" Description...");
}

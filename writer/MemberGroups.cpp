// The member groups of a class and the attribute entries of its class text.
#include "writer/MemberGroups.h"

#include <set>

#include "model/ClassMember.h"
#include "model/ElemList.h"
#include "writer/Compose.h"
#include "writer/Naming.h"
#include "writer/Relations.h"

namespace {

// The names that the variable name list being made must not take (again):
// those its superclasses declare and those listed so far.
std::set<std::string> ListedVariables;
std::vector<std::string>* VariableList = nullptr;

// The operation group of the given side and visibility mark.
PElemTable& OperationGroup(MemberGroupTables& groups, bool classSide,
                           const std::string& visibility) {
  if (visibility == "-")
    return classSide ? groups.privateClassOperations : groups.privateOperations;
  if (visibility == "#") {
    return classSide ? groups.protectedClassOperations : groups.protectedOperations;
  }
  return classSide ? groups.publicClassOperations : groups.publicOperations;
}

// Adds to a group, giving it a table of its own when it is still the empty one.
void AddTo(PElemTable& group, const PElemTable& none, const PElement& member) {
  if (group == none) group = NewElemTable();
  group->Add(member);
}

// Replaces single quotes, which would end the class comment they stand in.
std::string WithDoubleQuotes(std::string text) {
  for (char& c : text) {
    if (c == '\'') c = '"';
  }
  return text;
}

}  // namespace

MemberGroupTables GroupMembers(const PElemTable& members) {
  MemberGroupTables groups;
  const PElemTable none = NoElements();
  for (const PElement& member : ElementsOf(members)) {
    const bool attribute = IsMemberVar(member);
    if (!attribute && !IsMemberFun(member)) continue;
    const PClassMember classMember = ToClassMember(member);
    const bool classSide = classMember->GetStatic();
    const std::string visibility = classMember->GetVisibility();
    if (!attribute) {
      AddTo(OperationGroup(groups, classSide, visibility), none, member);
      continue;
    }
    AddTo(classSide ? groups.classAttributes : groups.instanceAttributes, none, member);
    if (visibility != "-" && visibility != "#") {
      AddTo(classSide ? groups.publicClassAttributes : groups.publicInstanceAttributes, none,
            member);
    }
  }
  return groups;
}

PElemTable Operations(const PElemTable& members) {
  return members->Filter(IsMemberFun);
}

void StartVariableNameList(const std::set<std::string>& declared, std::vector<std::string>& list) {
  ListedVariables = declared;
  VariableList = &list;
}

void ListVariable(const std::string& name) {
  if (ListedVariables.insert(name).second) VariableList->push_back(name);
}

void ListAttributeVariable(const PElement& member) {
  ListVariable(StIdentifier(ToMemberVar(member)->GetName()));
}

std::set<std::string> TakeListedVariables() {
  VariableList = nullptr;
  return std::move(ListedVariables);
}

void ListClassAttributeVariables(const PElemTable& classAttributes,
                                 const std::set<std::string>& ownInstanceNames,
                                 const std::set<std::string>& inheritedInstanceNames,
                                 const std::set<std::string>& inheritedClassSide,
                                 std::vector<std::string>& classInstanceVariables) {
  std::set<std::string> listed = inheritedClassSide;
  for (const PElement& member : ElementsOf(classAttributes)) {
    std::string name = StIdentifier(ToMemberVar(member)->GetName());
    if (!ownInstanceNames.contains(name) && !inheritedInstanceNames.contains(name)) {
      ListVariable(name);
    } else if (listed.insert(name).second) {
      classInstanceVariables.push_back(std::move(name));
    }
  }
}

void WriteAttributeComment(const PElement& member) {
  PMemberVar attribute = ToMemberVar(member);
  Write("  ");
  Write(StIdentifier(attribute->GetName()));
  Write("\t");
  if (!attribute->GetTypeName().empty()) {
    Write(" ");
    // Named only here, so that an unusable type leaves the line written up to it.
    Write(StTypeName(attribute->GetTypeName()));
    Write(" ");
    WriteMultiplicity(attribute->GetMultiplicity());
  }
  if (!attribute->GetDefault().empty()) {
    Write(" = ");
    Write(WithDoubleQuotes(attribute->GetDefault()));
  }
  if (!attribute->GetProperties().empty()) {
    Write(" ");
    Write(WithDoubleQuotes(attribute->GetProperties()));
  }
  WriteLine(" Description...");
}

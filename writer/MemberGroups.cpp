// The member groups of a class and the attribute entries of its class text.
#include "writer/MemberGroups.h"

#include <set>

#include "model/ClassMember.h"
#include "writer/Naming.h"
#include "writer/Output.h"
#include "writer/Relations.h"

namespace {

// The names that the variable name list being written must not write (again):
// those its superclasses declare and those written so far. Per thread, since
// classes are written on several threads at once.
thread_local std::set<std::string> ListedVariables;

// "+" and a member written without a visibility mark both count as public.
bool IsPublic(const PElement& member) {
  std::string visibility = ToClassMember(member)->GetVisibility();
  return visibility != "-" && visibility != "#";
}

bool IsProtected(const PElement& member) {
  return ToClassMember(member)->GetVisibility() == "#";
}

bool IsPrivate(const PElement& member) {
  return ToClassMember(member)->GetVisibility() == "-";
}

bool IsInstanceAttribute(const PElement& member) {
  return IsMemberVar(member) && !ToMemberVar(member)->GetStatic();
}

bool IsClassAttribute(const PElement& member) {
  return IsMemberVar(member) && ToMemberVar(member)->GetStatic();
}

bool IsInstanceOperation(const PElement& member) {
  return IsMemberFun(member) && !ToMemberFun(member)->GetStatic();
}

bool IsClassOperation(const PElement& member) {
  return IsMemberFun(member) && ToMemberFun(member)->GetStatic();
}

// A group taken in one walk over the members.
template <ElemPredicate First, ElemPredicate Second>
bool Both(const PElement& member) {
  return First(member) && Second(member);
}

// Replaces single quotes, which would end the class comment they stand in.
std::string WithDoubleQuotes(std::string text) {
  for (char& c : text) {
    if (c == '\'') c = '"';
  }
  return text;
}

}  // namespace

PElemTable InstanceAttributes(const PElemTable& members) {
  return members->Filter(IsInstanceAttribute);
}

PElemTable PublicInstanceAttributes(const PElemTable& members) {
  return members->Filter(Both<IsInstanceAttribute, IsPublic>);
}

PElemTable ClassAttributes(const PElemTable& members) {
  return members->Filter(IsClassAttribute);
}

PElemTable PublicClassAttributes(const PElemTable& members) {
  return members->Filter(Both<IsClassAttribute, IsPublic>);
}

PElemTable Operations(const PElemTable& members) {
  return members->Filter(IsMemberFun);
}

PElemTable PublicOperations(const PElemTable& members) {
  return members->Filter(Both<IsInstanceOperation, IsPublic>);
}

PElemTable ProtectedOperations(const PElemTable& members) {
  return members->Filter(Both<IsInstanceOperation, IsProtected>);
}

PElemTable PrivateOperations(const PElemTable& members) {
  return members->Filter(Both<IsInstanceOperation, IsPrivate>);
}

PElemTable PublicClassOperations(const PElemTable& members) {
  return members->Filter(Both<IsClassOperation, IsPublic>);
}

PElemTable ProtectedClassOperations(const PElemTable& members) {
  return members->Filter(Both<IsClassOperation, IsProtected>);
}

PElemTable PrivateClassOperations(const PElemTable& members) {
  return members->Filter(Both<IsClassOperation, IsPrivate>);
}

void StartVariableNameList(const std::set<std::string>& declared) {
  ListedVariables = declared;
}

void WriteListedVariable(const std::string& name) {
  if (!ListedVariables.insert(name).second) return;
  Write(name);
  Write(" ");
}

void WriteVariableName(const PElement& member) {
  WriteListedVariable(StIdentifier(ToMemberVar(member)->GetName()));
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
    WriteDiagramText(WithDoubleQuotes(attribute->GetDefault()));
  }
  WriteLine(" Description...");
}

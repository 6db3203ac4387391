// Everything the output file says about one diagram class.
#include "writer/ClassWriter.h"

#include <array>
#include <string>

#include "model/ElemType.h"
#include "writer/Accessors.h"
#include "writer/Initialize.h"
#include "writer/MemberGroups.h"
#include "writer/Naming.h"
#include "writer/Operations.h"
#include "writer/Output.h"
#include "writer/Relations.h"
#include "writer/Sections.h"

namespace {

// Classes that Smalltalk already has; a diagram may draw them only to refer to them.
bool IsPredefinedCollection(const std::string& name) {
  static const std::array<const char*, 7> kCollections = {
      "Collection", "OrderedCollection", "SortedCollection", "Dictionary", "Array", "Set", "Bag"};
  for (const char* collection : kCollections) {
    if (name == collection) return true;
  }
  return false;
}

bool IsTwoHeadedFromTo(const PElement& element, const PElement& from, const PElement& to,
                       char lineStyle) {
  PRelType relation = ToRelType(element);
  return relation->GetHeadSize() == 2 && relation->GetLineStyle() == lineStyle &&
         IsClassAt(relation->GetClass1(), from) && IsClassAt(relation->GetClass2(), to);
}

bool IsGeneralisationFromTo(const PElement& relation, const PElement& from, const PElement& to) {
  return IsTwoHeadedFromTo(relation, from, to, '-');
}

bool IsRealisationFromTo(const PElement& relation, const PElement& from, const PElement& to) {
  return IsTwoHeadedFromTo(relation, from, to, '.');
}

// A class is never its own superclass or interface, whatever the diagram draws.
bool IsTargetOf(const PElement& candidate, const PElement& cls, ElemPredicateWithElems fromTo) {
  return candidate->GetSelf() != cls->GetSelf() &&
         !ToClassType(cls)->GetRelations()->FilterWithElems(cls, candidate, fromTo)->IsEmpty();
}

bool IsSuperclassOf(const PElement& candidate, const PElement& cls) {
  return IsTargetOf(candidate, cls, IsGeneralisationFromTo);
}

bool IsInterfaceOf(const PElement& candidate, const PElement& cls) {
  return IsTargetOf(candidate, cls, IsRealisationFromTo);
}

void WriteSuperclassName(const PElement& superclass) {
  Write(StClassName(ToClassType(superclass)));
}

void WriteLinkVariableName(const PElement& relation) {
  WriteListedVariable(LinkName(ToRelType(relation)));
}

// The category is a string literal, in which a quote is written twice.
std::string WithQuotesDoubled(const std::string& text) {
  std::string literal;
  for (char c : text) {
    literal += c;
    if (c == '\'') literal += c;
  }
  return literal;
}

void WriteCategory() {
  Write("  category: '");
  WriteDiagramText(WithQuotesDoubled(CategoryName()));
  WriteLine("'!");
}

void WriteDefinition(const PClassType& cls, const PElemTable& superclasses,
                     const PElemTable& instanceAttributes, const PElemTable& classAttributes,
                     const PElemTable& links) {
  if (superclasses->IsEmpty()) {
    Write("Object");
  } else {
    superclasses->ForEach(WriteSuperclassName);
  }
  Write(" subclass: #");
  WriteLine(StClassName(cls));
  Write("  instanceVariableNames: '");
  StartVariableNameList();
  instanceAttributes->ForEach(WriteVariableName);
  links->ForEach(WriteLinkVariableName);
  WriteLine("'");
  Write("  classVariableNames: '");
  StartVariableNameList();
  classAttributes->ForEach(WriteVariableName);
  WriteLine("'");
  WriteLine("  poolDictionaries: ''");
  WriteCategory();
  EndLine();
}

void WriteComment(const PClassType& cls, const PElemTable& instanceAttributes,
                  const PElemTable& classAttributes, const PElemTable& links,
                  const PElemTable& constraints) {
  Write(StClassName(cls));
  WriteLine(" comment:");
  Write("'");
  Write(StClassName(cls));
  WriteLine(
      ".  The comment should state the purpose of the class and also explain any unobvious "
      "aspects of the implementation.");
  EndLine();
  WriteLine("Instance Variables");
  instanceAttributes->ForEach(WriteAttributeComment);
  links->ForEach(WriteLinkDescription);
  EndLine();
  if (!classAttributes->IsEmpty()) {
    WriteLine("Class Variables");
    classAttributes->ForEach(WriteAttributeComment);
    EndLine();
  }
  WriteLine("Constraints");
  links->ForEach(WriteConstraintLine);
  constraints->ForEach(WriteConstraintLine);
  WriteLine("'!");
  EndLine();
}

void WriteInitializeSection(const PClassType& cls, const PElemTable& instanceAttributes,
                            const PElemTable& links) {
  BeginMethodGroup(cls, " methodsFor: 'initialize-release");
  StartMethod();
  EndLine();
  EndLine();
  WriteLine("initialize");
  WriteLine("  \"Initialize a newly created instance. This method must answer the receiver.\"");
  WriteLine("  super initialize.");
  instanceAttributes->ForEach(WriteAttributeInit);
  links->ForEach(WriteLinkInit);
  Write("  ^self!");
  EndMethodGroup();
}

void WriteOperationGroup(const PClassType& cls, const PElemTable& operations, const char* piece) {
  BeginMethodGroup(cls, piece);
  operations->ForEach(WriteOperationStub);
  EndMethodGroup();
}

}  // namespace

void WriteClass(const PElement& element, const PElemTable& allClasses) {
  PClassType cls = ToClassType(element);
  cls->SetWritten(true);
  if (IsPredefinedCollection(cls->GetName())) {
    Write("\" NOTE: ### declaration of predefined collection class #");
    WriteDiagramText(cls->GetName());
    WriteLine(" is ignored ###\"");
    EndLine();
    return;
  }
  if (cls->GetStereotype() == "interface") return;

  PElemTable members = cls->GetMembers();
  PElemTable instanceAttributes = InstanceAttributes(members);
  PElemTable classAttributes = ClassAttributes(members);
  PElemTable links = LinkRelations(cls);
  PElemTable superclasses = allClasses->FilterWithElem(cls, IsSuperclassOf);
  PElemTable interfaces = allClasses->FilterWithElem(cls, IsInterfaceOf);

  WriteDefinition(cls, superclasses, instanceAttributes, classAttributes, links);
  WriteComment(cls, instanceAttributes, classAttributes, links, ConstraintRelations(cls));
  RenewStampSuffix();
  WriteInitializeSection(cls, instanceAttributes, links);

  BeginMethodGroup(cls, " methodsFor: 'accessing");
  PublicInstanceAttributes(members)->ForEach(WriteAttributeAccessors);
  links->ForEach(WriteLinkAccessors);
  EndMethodGroup();
  BeginMethodGroup(cls, " class methodsFor: 'accessing");
  PublicClassAttributes(members)->ForEach(WriteAttributeAccessors);
  EndMethodGroup();

  WriteOperationGroup(cls, PublicOperations(members), " methodsFor: 'public");
  WriteOperationGroup(cls, ProtectedOperations(members), " methodsFor: 'protected");
  WriteOperationGroup(cls, PrivateOperations(members), " methodsFor: 'private");
  WriteOperationGroup(cls, PublicClassOperations(members), " class methodsFor: 'public");
  WriteOperationGroup(cls, ProtectedClassOperations(members), " class methodsFor: 'protected");
  WriteOperationGroup(cls, PrivateClassOperations(members), " class methodsFor: 'private");

  interfaces->ForEachWithElem(cls, WriteInterfaceSection);
}

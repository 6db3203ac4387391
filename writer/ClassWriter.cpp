// Everything the output file says about one diagram class.
#include "writer/ClassWriter.h"

#include <string>

#include "model/ElemType.h"
#include "writer/Accessors.h"
#include "writer/Hierarchy.h"
#include "writer/Initialize.h"
#include "writer/MemberGroups.h"
#include "writer/Naming.h"
#include "writer/Operations.h"
#include "writer/Output.h"
#include "writer/Predefined.h"
#include "writer/Relations.h"
#include "writer/Sections.h"

namespace {

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

// Smalltalk has single inheritance: a class is declared under its first
// superclass, and the comment names the others.
void WriteDefinition(const PClassType& cls, const PElemTable& allClasses,
                     const PElemTable& superclasses, const PElemTable& instanceAttributes,
                     const PElemTable& classAttributes, const PElemTable& links) {
  if (superclasses->IsEmpty()) {
    Write("Object");
  } else {
    WriteSuperclassName(superclasses->AnyOne());
  }
  Write(" subclass: #");
  WriteLine(StClassName(cls));
  // A variable that a superclass declares already would make the whole
  // declaration fail when filed in.
  Write("  instanceVariableNames: '");
  StartVariableNameList(InheritedInstanceVariables(cls, allClasses));
  instanceAttributes->ForEach(WriteVariableName);
  links->ForEach(WriteLinkVariableName);
  WriteLine("'");
  Write("  classVariableNames: '");
  StartVariableNameList(InheritedClassVariables(cls, allClasses));
  classAttributes->ForEach(WriteVariableName);
  WriteLine("'");
  WriteLine("  poolDictionaries: ''");
  WriteCategory();
  EndLine();
}

bool IsOtherThan(const PElement& element, const PElement& other) {
  return element->GetSelf() != other->GetSelf();
}

void WriteFurtherSuperclass(const PElement& cls, const PElement& superclass) {
  Write("\t\"#");
  Write(StClassName(ToClassType(cls)));
  Write(" inherits also from: #");
  Write(StClassName(ToClassType(superclass)));
  WriteLine("\"");
}

void WriteComment(const PClassType& cls, const PElemTable& superclasses,
                  const PElemTable& instanceAttributes, const PElemTable& classAttributes,
                  const PElemTable& links, const PElemTable& constraints) {
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
  if (!superclasses->IsEmpty()) {
    superclasses->FilterWithElem(superclasses->AnyOne(), IsOtherThan)
        ->ForEachWithElem(cls, WriteFurtherSuperclass);
  }
  WriteLine("'!");
  EndLine();
}

void WriteInitializeSection(const PClassType& cls, const PElemTable& allClasses,
                            const PElemTable& instanceAttributes, const PElemTable& links) {
  BeginMethodGroup(cls, " methodsFor: 'initialize-release");
  StartMethod();
  EndLine();
  EndLine();
  WriteLine("initialize");
  WriteLine("  \"Initialize a newly created instance. This method must answer the receiver.\"");
  WriteLine("  super initialize.");
  WriteInitializers(cls, allClasses, instanceAttributes, links);
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
  if (IsSystemClass(cls)) {
    Write("\" NOTE: ### declaration of predefined class #");
    Write(StClassName(cls));
    WriteLine(" is ignored ###\"");
    EndLine();
    return;
  }

  const MemberGroupTables groups = GroupMembers(cls->GetMembers());
  const PElemTable& instanceAttributes = groups.instanceAttributes;
  const PElemTable& classAttributes = groups.classAttributes;
  PElemTable links = LinkRelations(cls);
  PElemTable superclasses = Superclasses(cls, allClasses);
  PElemTable interfaces = RealisedInterfaces(cls, allClasses);

  WriteDefinition(cls, allClasses, superclasses, instanceAttributes, classAttributes, links);
  WriteComment(cls, superclasses, instanceAttributes, classAttributes, links,
               ConstraintRelations(cls));
  RenewStampSuffix();
  WriteInitializeSection(cls, allClasses, instanceAttributes, links);

  BeginMethodGroup(cls, " methodsFor: 'accessing");
  groups.publicInstanceAttributes->ForEach(WriteAttributeAccessors);
  links->ForEach(WriteLinkAccessors);
  EndMethodGroup();
  BeginMethodGroup(cls, " class methodsFor: 'accessing");
  groups.publicClassAttributes->ForEach(WriteAttributeAccessors);
  EndMethodGroup();

  WriteOperationGroup(cls, groups.publicOperations, " methodsFor: 'public");
  WriteOperationGroup(cls, groups.protectedOperations, " methodsFor: 'protected");
  WriteOperationGroup(cls, groups.privateOperations, " methodsFor: 'private");
  WriteOperationGroup(cls, groups.publicClassOperations, " class methodsFor: 'public");
  WriteOperationGroup(cls, groups.protectedClassOperations, " class methodsFor: 'protected");
  WriteOperationGroup(cls, groups.privateClassOperations, " class methodsFor: 'private");

  interfaces->ForEachWithElem(cls, WriteInterfaceSection);
}

// Everything the output says about one diagram class.
#include "writer/ClassWriter.h"

#include <string>

#include "model/ElemType.h"
#include "writer/Accessors.h"
#include "writer/Compose.h"
#include "writer/Hierarchy.h"
#include "writer/Initialize.h"
#include "writer/MemberGroups.h"
#include "writer/Naming.h"
#include "writer/Operations.h"
#include "writer/Predefined.h"
#include "writer/Relations.h"
#include "writer/Sections.h"

namespace {

// The comment's text not yet handed on, kept from class to class.
ByteBuffer CommentBuffer;

// Ends the composition however it ends, so that no write reaches a layout
// that is gone.
class ComposingGuard {
 public:
  ComposingGuard() = default;
  ComposingGuard(const ComposingGuard&) = delete;
  ComposingGuard& operator=(const ComposingGuard&) = delete;
  ~ComposingGuard() {
    StopComposing();
    ComposeMethodsOf(nullptr);
  }
};

void ListLinkVariable(const PElement& relation) {
  ListVariable(LinkName(ToRelType(relation)));
}

// The definition of the class being composed, kept from class to class so
// that its lists keep their storage.
ClassDefinition Definition;

// Smalltalk has single inheritance: a class is declared under its first
// superclass, and the comment names the others.
const ClassDefinition& ComposeDefinition(const PClassType& cls, const PElemTable& allClasses,
                                         const PElemTable& superclasses, const MemberGroups& groups,
                                         const PElemTable& links) {
  ClassDefinition& text = Definition;
  text.instanceVariables.clear();
  text.classVariables.clear();
  text.classInstanceVariables.clear();
  text.superclass =
      superclasses->IsEmpty() ? "Object" : StClassName(ToClassType(superclasses->AnyOne()));
  text.name = StClassName(cls);
  // A variable that a superclass declares already would make the whole
  // declaration fail when filed in.
  StartVariableNameList(InheritedInstanceVariables(cls, allClasses), text.instanceVariables);
  groups[MemberGroup::InstanceAttributes].ForEach(ListAttributeVariable);
  links->ForEach(ListLinkVariable);
  // The list of instance variables holds the class's own names, listed or inherited.
  const NameSet& ownInstanceNames = TakeListedVariables();
  StartVariableNameList(InheritedClassVariables(cls, allClasses), text.classVariables);
  ListClassAttributeVariables(groups[MemberGroup::ClassAttributes], ownInstanceNames,
                              ClassNamesOfInheritedInstanceVariables(cls, allClasses),
                              InheritedClassInstanceVariables(cls, allClasses),
                              text.classInstanceVariables);
  return text;
}

bool IsOtherThan(const PElement& element, const PElement& other) {
  return element->GetSelf() != other->GetSelf();
}

void WriteFurtherSuperclass(const PElement& cls, const PElement& superclass) {
  Write("\t\"#");
  WriteClassName(ToClassType(cls));
  Write(" inherits also from: #");
  WriteClassName(ToClassType(superclass));
  WriteLine("\"");
}

void ComposeComment(ClassLayout& layout, const std::string& name, const PClassType& cls,
                    const PElemTable& superclasses, const MemberGroups& groups,
                    const PElemTable& links, const PElemTable& constraints) {
  layout.BeginComment();
  CommentBuffer.Clear();
  ComposeInto(CommentBuffer, layout);
  Write(name);
  WriteLine(
      ".  The comment should state the purpose of the class and also explain any unobvious "
      "aspects of the implementation.");
  EndLine();
  WriteLine("Instance Variables");
  groups[MemberGroup::InstanceAttributes].ForEach(WriteAttributeComment);
  links->ForEach(WriteLinkDescription);
  EndLine();
  if (!groups[MemberGroup::ClassAttributes].IsEmpty()) {
    WriteLine("Class Variables");
    groups[MemberGroup::ClassAttributes].ForEach(WriteAttributeComment);
    EndLine();
  }
  WriteLine("Constraints");
  links->ForEach(WriteConstraintLine);
  constraints->ForEach(WriteConstraintLine);
  if (!superclasses->IsEmpty()) {
    superclasses->FilterWithElem(superclasses->AnyOne(), IsOtherThan)
        ->ForEachWithElem(cls, WriteFurtherSuperclass);
  }
  DrainComposed();
  StopComposing();
  layout.End();
}

void ComposeInitialize(const PClassType& cls, const PElemTable& allClasses,
                       const MemberGroupView& instanceAttributes, const PElemTable& links) {
  BeginMethodGroup(false, "initialize-release");
  StartMethod();
  WriteLine("initialize");
  WriteLine("  \"Initialize a newly created instance. This method must answer the receiver.\"");
  WriteLine("  super initialize.");
  WriteInitializers(cls, allClasses, instanceAttributes, links);
  Write("  ^self");
}

void ComposeOperations(const MemberGroupView& operations, bool classSide, const char* protocol) {
  BeginMethodGroup(classSide, protocol);
  operations.ForEach(WriteOperationStub);
}

// The note that stands in place of a class that Smalltalk has already.
std::string IgnoredNote(const std::string& kind, const std::string& name) {
  return "\" NOTE: ### declaration of predefined " + kind + "#" + name + " is ignored ###\"";
}

}  // namespace

bool ComposeClass(const PElement& element, const PElemTable& allClasses, ClassLayout& layout) {
  PClassType cls = ToClassType(element);
  cls->SetWritten(true);
  if (!IsDeclaredIn(cls, allClasses)) {
    if (IsPredefinedCollection(cls->GetName())) {
      layout.Note(IgnoredNote("collection class ", cls->GetName()));
    } else if (IsExternal(cls) || (cls->GetStereotype() != "interface" && IsSystemClass(cls))) {
      layout.Note(IgnoredNote("class ", StClassName(cls)));
    }
    return false;
  }
  const ComposingGuard guard;

  const PElemTable members = cls->GetMembers();
  const MemberGroups groups(members);
  PElemTable links = LinkRelations(cls);
  PElemTable superclasses = Superclasses(cls, allClasses);
  PElemTable interfaces = RealisedInterfaces(cls, allClasses);

  const ClassDefinition& definition =
      ComposeDefinition(cls, allClasses, superclasses, groups, links);
  layout.Definition(definition);
  ComposeComment(layout, definition.name, cls, superclasses, groups, links,
                 ConstraintRelations(cls));
  ComposeMethodsOf(&layout);
  ComposeInitialize(cls, allClasses, groups[MemberGroup::InstanceAttributes], links);

  BeginMethodGroup(false, "accessing");
  groups[MemberGroup::PublicInstanceAttributes].ForEach(WriteAttributeAccessors);
  links->ForEach(WriteLinkAccessors);
  BeginMethodGroup(true, "accessing");
  groups[MemberGroup::PublicClassAttributes].ForEach(WriteAttributeAccessors);
  const bool initializesClass = ComposeClassInitialize(cls, allClasses, groups);

  ComposeOperations(groups[MemberGroup::PublicOperations], false, "public");
  ComposeOperations(groups[MemberGroup::ProtectedOperations], false, "protected");
  ComposeOperations(groups[MemberGroup::PrivateOperations], false, "private");
  ComposeOperations(groups[MemberGroup::PublicClassOperations], true, "public");
  ComposeOperations(groups[MemberGroup::ProtectedClassOperations], true, "protected");
  ComposeOperations(groups[MemberGroup::PrivateClassOperations], true, "private");

  interfaces->ForEach(WriteInterfaceSection);
  EndMethod();
  return initializesClass;
}

ClassText ComposeClass(const PElement& element, const PElemTable& allClasses) {
  ClassText text;
  ClassTextCollector collector(text);
  text.initializesClass = ComposeClass(element, allClasses, collector);
  return text;
}

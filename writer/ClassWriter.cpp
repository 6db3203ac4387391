// Everything the output says about one diagram class.
#include "writer/ClassWriter.h"

#include <string>

#include "model/ElemList.h"
#include "writer/Accessors.h"
#include "writer/Initialize.h"
#include "writer/Naming.h"
#include "writer/Predefined.h"
#include "writer/Relations.h"

namespace {

bool IsOtherThan(const PElement& element, const PElement& other) {
  return element->GetSelf() != other->GetSelf();
}

void WriteFurtherSuperclass(Composer& out, const PElement& cls, const PElement& superclass) {
  out.Write("\t\"#");
  WriteClassName(out, ToClassType(cls));
  out.Write(" inherits also from: #");
  WriteClassName(out, ToClassType(superclass));
  out.WriteLine("\"");
}

// The note that stands in place of a class that Smalltalk has already.
std::string IgnoredNote(const std::string& kind, const std::string& name) {
  return "\" NOTE: ### declaration of predefined " + kind + "#" + name + " is ignored ###\"";
}

}  // namespace

// Smalltalk has single inheritance: a class is declared under its first
// superclass, and the comment names the others.
const ClassDefinition& ClassWriter::ComposeDefinition(const PClassType& cls,
                                                      const PElemTable& superclasses,
                                                      const MemberGroups& groups,
                                                      const PElemTable& links) {
  ClassDefinition& text = definition_;
  text.instanceVariables.clear();
  text.classVariables.clear();
  text.classInstanceVariables.clear();
  text.superclass = superclasses->IsEmpty()
                        ? "Object"
                        : StClassName(ToClassType(superclasses->AnyOne()), out_.Names());
  text.name = StClassName(cls, out_.Names());
  // A variable that a superclass declares already would make the whole
  // declaration fail when filed in.
  variables_.StartVariableNameList(hierarchy_.InheritedInstanceVariables(cls),
                                   text.instanceVariables);
  groups[MemberGroup::InstanceAttributes].Walk(
      [&](const PElement& member) { variables_.ListAttributeVariable(member); });
  for (const PElement& relation : ElementsOf(links))
    variables_.ListVariable(LinkName(ToRelType(relation)));
  // The list of instance variables holds the class's own names, listed or inherited.
  const NameSet& ownInstanceNames = variables_.TakeListedVariables();
  variables_.StartVariableNameList(hierarchy_.InheritedClassVariables(cls), text.classVariables);
  variables_.ListClassAttributeVariables(groups[MemberGroup::ClassAttributes], ownInstanceNames,
                                         hierarchy_.ClassNamesOfInheritedInstanceVariables(cls),
                                         hierarchy_.InheritedClassInstanceVariables(cls),
                                         text.classInstanceVariables);
  return text;
}

void ClassWriter::ComposeComment(ClassLayout& layout, const std::string& name,
                                 const PClassType& cls, const PElemTable& superclasses,
                                 const MemberGroups& groups, const PElemTable& links,
                                 const PElemTable& constraints) {
  layout.BeginComment();
  commentBuffer_.Clear();
  out_.ComposeInto(commentBuffer_, layout);
  const auto writeAttributeComment = [&](const PElement& member) {
    WriteAttributeComment(out_, member);
  };
  out_.Write(name);
  out_.WriteLine(
      ".  The comment should state the purpose of the class and also explain any unobvious "
      "aspects of the implementation.");
  out_.EndLine();
  out_.WriteLine("Instance Variables");
  groups[MemberGroup::InstanceAttributes].Walk(writeAttributeComment);
  for (const PElement& relation : ElementsOf(links)) WriteLinkDescription(out_, relation);
  out_.EndLine();
  if (!groups[MemberGroup::ClassAttributes].IsEmpty()) {
    out_.WriteLine("Class Variables");
    groups[MemberGroup::ClassAttributes].Walk(writeAttributeComment);
    out_.EndLine();
  }
  out_.WriteLine("Constraints");
  for (const PElement& relation : ElementsOf(links)) WriteConstraintLine(out_, relation);
  for (const PElement& relation : ElementsOf(constraints)) WriteConstraintLine(out_, relation);
  if (!superclasses->IsEmpty()) {
    const PElemTable further = superclasses->FilterWithElem(superclasses->AnyOne(), IsOtherThan);
    for (const PElement& superclass : ElementsOf(further))
      WriteFurtherSuperclass(out_, cls, superclass);
  }
  out_.DrainComposed();
  out_.StopComposing();
  layout.End();
}

void ClassWriter::ComposeInitialize(const PClassType& cls,
                                    const MemberGroupView& instanceAttributes,
                                    const PElemTable& links) {
  methods_.BeginMethodGroup(false, "initialize-release");
  methods_.StartMethod();
  out_.WriteLine("initialize");
  out_.WriteLine(
      "  \"Initialize a newly created instance. This method must answer the receiver.\"");
  out_.WriteLine("  super initialize.");
  WriteInitializers(out_, values_, cls, instanceAttributes, links);
  out_.Write("  ^self");
}

void ClassWriter::ComposeOperations(const MemberGroupView& operations, bool classSide,
                                    const char* protocol) {
  methods_.BeginMethodGroup(classSide, protocol);
  operations.Walk([&](const PElement& operation) { stubs_.WriteOperationStub(operation); });
}

bool ClassWriter::WriteClass(const PElement& element, ClassLayout& layout) {
  PClassType cls = ToClassType(element);
  cls->SetWritten(true);
  if (!hierarchy_.IsDeclaredIn(cls)) {
    if (IsPredefinedCollection(cls->GetName())) {
      layout.Note(IgnoredNote("collection class ", cls->GetName()));
    } else if (IsExternal(cls) || (cls->GetStereotype() != "interface" && IsSystemClass(cls))) {
      layout.Note(IgnoredNote("class ", StClassName(cls, out_.Names())));
    }
    return false;
  }

  const PElemTable members = cls->GetMembers();
  const MemberGroups groups(members);
  PElemTable links = LinkRelations(cls);
  PElemTable superclasses = hierarchy_.Superclasses(cls);
  PElemTable interfaces = hierarchy_.RealisedInterfaces(cls);

  const ClassDefinition& definition = ComposeDefinition(cls, superclasses, groups, links);
  layout.Definition(definition);
  ComposeComment(layout, definition.name, cls, superclasses, groups, links,
                 ConstraintRelations(cls));
  methods_.ComposeMethodsOf(&layout);
  ComposeInitialize(cls, groups[MemberGroup::InstanceAttributes], links);

  const auto writeAttributeAccessors = [&](const PElement& member) {
    WriteAttributeAccessors(methods_, member);
  };
  methods_.BeginMethodGroup(false, "accessing");
  groups[MemberGroup::PublicInstanceAttributes].Walk(writeAttributeAccessors);
  for (const PElement& relation : ElementsOf(links)) WriteLinkAccessors(methods_, relation);
  methods_.BeginMethodGroup(true, "accessing");
  groups[MemberGroup::PublicClassAttributes].Walk(writeAttributeAccessors);
  const bool initializesClass = ComposeClassInitialize(methods_, values_, cls, groups);

  ComposeOperations(groups[MemberGroup::PublicOperations], false, "public");
  ComposeOperations(groups[MemberGroup::ProtectedOperations], false, "protected");
  ComposeOperations(groups[MemberGroup::PrivateOperations], false, "private");
  ComposeOperations(groups[MemberGroup::PublicClassOperations], true, "public");
  ComposeOperations(groups[MemberGroup::ProtectedClassOperations], true, "protected");
  ComposeOperations(groups[MemberGroup::PrivateClassOperations], true, "private");

  for (const PElement& interface : ElementsOf(interfaces)) stubs_.WriteInterfaceSection(interface);
  methods_.EndMethod();
  methods_.ComposeMethodsOf(nullptr);
  return initializesClass;
}

ClassText ClassWriter::WriteClass(const PElement& element) {
  ClassText text;
  ClassTextCollector collector(text);
  text.initializesClass = WriteClass(element, collector);
  return text;
}

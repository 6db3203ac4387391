// The initializer lines of the initialize method.
#include "writer/Initialize.h"

#include <string>
#include <string_view>

#include "model/ClassMember.h"
#include "model/ElemList.h"
#include "writer/Compose.h"
#include "writer/MandatoryValue.h"
#include "writer/Naming.h"
#include "writer/Operations.h"
#include "writer/Relations.h"
#include "writer/Sections.h"
#include "writer/SmalltalkSyntax.h"
#include "writer/ValueRules.h"

namespace {

const char* const kInitialize = "initialize";

const char* const kDefaultCollection = "\"default collection type\" OrderedCollection new";

// The comment after the value repeats the kind, type and multiplicity, and
// the diagram's text for the value when that could not be the value.
void WriteTypeComment(std::string_view kind, std::string_view type, const PElemTable& multiplicity,
                      std::string_view setAside) {
  Write(" \"");
  Write(kind);
  Write(type);
  Write(" ");
  WriteMultiplicity(multiplicity);
  if (!setAside.empty()) {
    if (HasMultiplicityText(multiplicity)) Write(" ");
    Write("= ");
    WriteCommentText(setAside);
  }
  Write("\"");
}

// Writes the value that the rule gives; answers the kind word for the comment.
std::string_view WriteValue(ValueRule rule, std::string_view defaultText, std::string_view type,
                            const PClassType& cls, const PElemTable& allClasses) {
  switch (rule) {
    case ValueRule::Default:
      Write(defaultText);
      return "";
    case ValueRule::Collection:
      Write(kDefaultCollection);
      return "";
    case ValueRule::Optional:
      Write("nil");
      return "optional ";
    case ValueRule::Mandatory:
      Write(MandatoryValue(cls, std::string(type), allClasses));
      return "mandatory ";
  }
  return "";
}

bool HasCodeDefault(const PElement& member) {
  return AttributeValueRule(ToMemberVar(member)) == ValueRule::Default;
}

}  // namespace

void WriteAttributeInit(const PElement& member, const PClassType& cls,
                        const PElemTable& allClasses) {
  PMemberVar attribute = ToMemberVar(member);
  std::string typeStorage;
  const std::string_view type = TypeNameOf(attribute->GetTypeName(), typeStorage);
  PElemTable multiplicity = attribute->GetMultiplicity();
  const ValueRule rule = AttributeValueRule(attribute);
  // A default that is no Smalltalk code is kept in the comment, for the reader.
  const std::string_view setAside =
      rule == ValueRule::Default ? std::string_view() : std::string_view(attribute->GetDefault());
  Write("  ");
  WriteIdentifier(attribute->GetName());
  Write(" := ");
  const std::string_view kind = WriteValue(rule, attribute->GetDefault(), type, cls, allClasses);
  if (!attribute->GetTypeName().empty()) {
    WriteTypeComment(kind, type, multiplicity, setAside);
  } else if (!setAside.empty()) {
    Write(" \"= ");
    WriteCommentText(setAside);
    Write("\"");
  }
  WriteLine(".");
}

void WriteLinkInit(const PElement& element, const PClassType& cls, const PElemTable& allClasses) {
  PRelType relation = ToRelType(element);
  std::string variable = LinkName(relation);
  std::string type = StClassName(relation->GetClass2());
  PElemTable multiplicity = HeadMultiplicity(relation);
  const ValueRule rule = LinkValueRule(relation);
  // The label's type text names the collection class, when it is a class name.
  const std::string& label = relation->GetTypeName();
  const bool labelNamesClass = rule == ValueRule::Collection && IsSmalltalkIdentifier(label);
  const std::string_view setAside = rule == ValueRule::Collection && !labelNamesClass
                                        ? std::string_view(label)
                                        : std::string_view();
  std::string_view kind;
  Write("  ");
  Write(variable);
  Write(" := ");
  if (labelNamesClass) {
    Write(label);
    Write(" new");
  } else {
    kind = WriteValue(rule, "", type, cls, allClasses);
  }
  WriteTypeComment(kind, type, multiplicity, setAside);
  WriteLine(".");
}

void WriteInitializers(const PClassType& cls, const PElemTable& allClasses,
                       const MemberGroupView& instanceAttributes, const PElemTable& links) {
  instanceAttributes.Walk(
      [&](const PElement& member) { WriteAttributeInit(member, cls, allClasses); });
  for (const PElement& relation : ElementsOf(links)) WriteLinkInit(relation, cls, allClasses);
}

// No "super initialize": on the class side that would set the superclass's
// class variables anew.
bool ComposeClassInitialize(const PClassType& cls, const PElemTable& allClasses,
                            const MemberGroups& groups) {
  const MemberGroupView classAttributes = groups[MemberGroup::ClassAttributes];
  bool wanted = false;
  classAttributes.Walk([&](const PElement& member) { wanted = wanted || HasCodeDefault(member); });
  for (const MemberGroup group :
       {MemberGroup::PublicClassOperations, MemberGroup::ProtectedClassOperations,
        MemberGroup::PrivateClassOperations}) {
    groups[group].Walk(
        [&](const PElement& member) { wanted = wanted || AsksForInitialize(member); });
  }
  if (!wanted) return false;
  BeginMethodGroup(true, "class initialization");
  StartMethod();
  WriteLine(kInitialize);
  WriteLine("  \"Set the class variables to their initial values.\"");
  classAttributes.Walk([&](const PElement& member) {
    if (HasCodeDefault(member)) WriteAttributeInit(member, cls, allClasses);
  });
  Write("  ^self");
  return true;
}

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
void WriteTypeComment(Composer& out, std::string_view kind, std::string_view type,
                      const PElemTable& multiplicity, std::string_view setAside) {
  out.Write(" \"");
  out.Write(kind);
  out.Write(type);
  out.Write(" ");
  WriteMultiplicity(out, multiplicity);
  if (!setAside.empty()) {
    if (HasMultiplicityText(multiplicity)) out.Write(" ");
    out.Write("= ");
    out.WriteCommentText(setAside);
  }
  out.Write("\"");
}

// Writes the value that the rule gives; answers the kind word for the comment.
std::string_view WriteValue(Composer& out, MandatoryValues& values, ValueRule rule,
                            std::string_view defaultText, std::string_view type,
                            const PClassType& cls) {
  switch (rule) {
    case ValueRule::Default:
      out.Write(defaultText);
      return "";
    case ValueRule::Collection:
      out.Write(kDefaultCollection);
      return "";
    case ValueRule::Optional:
      out.Write("nil");
      return "optional ";
    case ValueRule::Mandatory:
      out.Write(values.MandatoryValue(cls, std::string(type)));
      return "mandatory ";
  }
  return "";
}

bool HasCodeDefault(const PElement& member) {
  return AttributeValueRule(ToMemberVar(member)) == ValueRule::Default;
}

}  // namespace

void WriteAttributeInit(Composer& out, MandatoryValues& values, const PElement& member,
                        const PClassType& cls) {
  PMemberVar attribute = ToMemberVar(member);
  std::string typeStorage;
  const std::string_view type = TypeNameOf(attribute->GetTypeName(), typeStorage, out.Names());
  PElemTable multiplicity = attribute->GetMultiplicity();
  const ValueRule rule = AttributeValueRule(attribute);
  // A default that is no Smalltalk code is kept in the comment, for the reader.
  const std::string_view setAside =
      rule == ValueRule::Default ? std::string_view() : std::string_view(attribute->GetDefault());
  out.Write("  ");
  WriteIdentifier(out, attribute->GetName());
  out.Write(" := ");
  const std::string_view kind = WriteValue(out, values, rule, attribute->GetDefault(), type, cls);
  if (!attribute->GetTypeName().empty()) {
    WriteTypeComment(out, kind, type, multiplicity, setAside);
  } else if (!setAside.empty()) {
    out.Write(" \"= ");
    out.WriteCommentText(setAside);
    out.Write("\"");
  }
  out.WriteLine(".");
}

void WriteLinkInit(Composer& out, MandatoryValues& values, const PElement& element,
                   const PClassType& cls) {
  PRelType relation = ToRelType(element);
  std::string variable = LinkName(relation);
  std::string type = StClassName(relation->GetClass2(), out.Names());
  PElemTable multiplicity = HeadMultiplicity(relation);
  const ValueRule rule = LinkValueRule(relation);
  // The label's type text names the collection class, when it is a class name.
  const std::string& label = relation->GetTypeName();
  const bool labelNamesClass = rule == ValueRule::Collection && IsSmalltalkIdentifier(label);
  const std::string_view setAside = rule == ValueRule::Collection && !labelNamesClass
                                        ? std::string_view(label)
                                        : std::string_view();
  std::string_view kind;
  out.Write("  ");
  out.Write(variable);
  out.Write(" := ");
  if (labelNamesClass) {
    out.Write(label);
    out.Write(" new");
  } else {
    kind = WriteValue(out, values, rule, "", type, cls);
  }
  WriteTypeComment(out, kind, type, multiplicity, setAside);
  out.WriteLine(".");
}

void WriteInitializers(Composer& out, MandatoryValues& values, const PClassType& cls,
                       const MemberGroupView& instanceAttributes, const PElemTable& links) {
  instanceAttributes.Walk(
      [&](const PElement& member) { WriteAttributeInit(out, values, member, cls); });
  for (const PElement& relation : ElementsOf(links)) WriteLinkInit(out, values, relation, cls);
}

// No "super initialize": on the class side that would set the superclass's
// class variables anew.
bool ComposeClassInitialize(MethodSections& methods, MandatoryValues& values, const PClassType& cls,
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
  Composer& out = methods.Out();
  methods.BeginMethodGroup(true, "class initialization");
  methods.StartMethod();
  out.WriteLine(kInitialize);
  out.WriteLine("  \"Set the class variables to their initial values.\"");
  classAttributes.Walk([&](const PElement& member) {
    if (HasCodeDefault(member)) WriteAttributeInit(out, values, member, cls);
  });
  out.Write("  ^self");
  return true;
}

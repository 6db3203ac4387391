// The initializer lines of the initialize method.
#include "writer/Initialize.h"

#include <string>

#include "model/ClassMember.h"
#include "model/ElemType.h"
#include "writer/Compose.h"
#include "writer/Naming.h"
#include "writer/Relations.h"

namespace {

const char* const kDefaultCollection = "\"default collection type\" OrderedCollection new";

// The comment after the value repeats the kind, type and multiplicity.
void WriteTypeComment(const std::string& kind, const std::string& type,
                      const PElemTable& multiplicity) {
  Write(" \"");
  Write(kind);
  Write(type);
  Write(" ");
  WriteMultiplicity(multiplicity);
  Write("\"");
}

// nil for an optional value, a new instance for a mandatory one; answers the
// kind word for the comment.
std::string WriteSingleValue(const std::string& type, const PElemTable& multiplicity) {
  if (IsOptional(multiplicity)) {
    Write("nil");
    return "optional ";
  }
  Write(type);
  Write(" new");
  return "mandatory ";
}

}  // namespace

void WriteAttributeInit(const PElement& member) {
  PMemberVar attribute = ToMemberVar(member);
  std::string type = StTypeName(attribute->GetTypeName());
  PElemTable multiplicity = attribute->GetMultiplicity();
  std::string kind;
  Write("  ");
  Write(StIdentifier(attribute->GetName()));
  Write(" := ");
  if (!attribute->GetDefault().empty()) {
    Write(attribute->GetDefault());
  } else if (IsMany(multiplicity)) {
    Write(kDefaultCollection);
  } else {
    kind = WriteSingleValue(type, multiplicity);
  }
  if (!attribute->GetTypeName().empty()) WriteTypeComment(kind, type, multiplicity);
  WriteLine(".");
}

void WriteLinkInit(const PElement& element) {
  PRelType relation = ToRelType(element);
  std::string variable = LinkName(relation);
  std::string type = StClassName(relation->GetClass2());
  PElemTable multiplicity = HeadMultiplicity(relation);
  std::string kind;
  Write("  ");
  Write(variable);
  Write(" := ");
  if (IsMany(multiplicity)) {
    // The label's type text names the collection class, when there is one.
    if (relation->GetTypeName().empty()) {
      Write(kDefaultCollection);
    } else {
      Write(relation->GetTypeName());
      Write(" new");
    }
  } else {
    kind = WriteSingleValue(type, multiplicity);
  }
  WriteTypeComment(kind, type, multiplicity);
  WriteLine(".");
}

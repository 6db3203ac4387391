// Getter and setter methods of public attributes and link variables.
#include "writer/Accessors.h"

#include "model/ClassMember.h"
#include "model/ElemType.h"
#include "writer/Compose.h"
#include "writer/Naming.h"
#include "writer/Relations.h"
#include "writer/Sections.h"

namespace {

void WriteAccessors(const std::string& variable, const std::string& word,
                    const PElemTable& multiplicity) {
  if (!IsMany(multiplicity)) {
    StartMethod();
    Write(variable);
    Write(": a");
    WriteLine(word);
    Write("  ");
    Write(variable);
    Write(" := a");
    Write(word);
  }
  StartMethod();
  WriteLine(variable);
  Write("  ^");
  Write(variable);
}

}  // namespace

std::string ArgumentWord(const std::string& typeName, const PElemTable& multiplicity) {
  if (IsMany(multiplicity)) return "Collection";
  if (typeName.empty()) return "nObject";
  switch (typeName[0]) {
    case 'A':
    case 'E':
    case 'I':
    case 'O':
    case 'U':
    case 'Y':
      return "n" + typeName;
    default:
      return typeName;
  }
}

std::string ArgumentName(const std::string& typeName, const PElemTable& multiplicity) {
  // Appended rather than "a" + word, which g++ 12 wrongly warns about when optimising.
  std::string name = "a";
  name += ArgumentWord(typeName, multiplicity);
  return name;
}

void WriteAttributeAccessors(const PElement& member) {
  PMemberVar attribute = ToMemberVar(member);
  std::string variable = StIdentifier(attribute->GetName());
  std::string word =
      ArgumentWord(StTypeName(attribute->GetTypeName()), attribute->GetMultiplicity());
  WriteAccessors(variable, word, attribute->GetMultiplicity());
}

void WriteLinkAccessors(const PElement& element) {
  PRelType relation = ToRelType(element);
  std::string variable = LinkName(relation);
  PElemTable multiplicity = HeadMultiplicity(relation);
  std::string word = ArgumentWord(StClassName(relation->GetClass2()), multiplicity);
  WriteAccessors(variable, word, multiplicity);
}

// Getter and setter methods of public attributes and link variables.
#include "writer/Accessors.h"

#include "model/ClassMember.h"
#include "model/ElemType.h"
#include "writer/Compose.h"
#include "writer/Naming.h"
#include "writer/Relations.h"
#include "writer/Sections.h"

namespace {

// The argument word of the accessors being written, kept so that its storage is reused.
std::string Word;

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

void AssignArgumentWord(std::string& word, std::string_view typeName,
                        const PElemTable& multiplicity) {
  if (IsMany(multiplicity)) {
    word.assign("Collection");
    return;
  }
  if (typeName.empty()) {
    word.assign("nObject");
    return;
  }
  switch (typeName[0]) {
    case 'A':
    case 'E':
    case 'I':
    case 'O':
    case 'U':
    case 'Y':
      word.assign(1, 'n').append(typeName);
      return;
    default:
      word.assign(typeName);
  }
}

std::string ArgumentWord(std::string_view typeName, const PElemTable& multiplicity) {
  std::string word;
  AssignArgumentWord(word, typeName, multiplicity);
  return word;
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
  std::string typeName;
  AssignArgumentWord(Word, TypeNameOf(attribute->GetTypeName(), typeName),
                     attribute->GetMultiplicity());
  WriteAccessors(variable, Word, attribute->GetMultiplicity());
}

void WriteLinkAccessors(const PElement& element) {
  PRelType relation = ToRelType(element);
  std::string variable = LinkName(relation);
  PElemTable multiplicity = HeadMultiplicity(relation);
  AssignArgumentWord(Word, StClassName(relation->GetClass2()), multiplicity);
  WriteAccessors(variable, Word, multiplicity);
}

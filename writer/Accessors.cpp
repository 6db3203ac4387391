// Getter and setter methods of public attributes and link variables.
#include "writer/Accessors.h"

#include "model/ClassMember.h"
#include "model/ElemType.h"
#include "writer/Compose.h"
#include "writer/Naming.h"
#include "writer/Relations.h"
#include "writer/Sections.h"

namespace {

void WriteAccessors(MethodSections& methods, const std::string& variable, const std::string& word,
                    bool setter) {
  Composer& out = methods.Out();
  if (setter) {
    methods.StartMethod();
    out.Write(variable);
    out.Write(": a");
    out.WriteLine(word);
    out.Write("  ");
    out.Write(variable);
    out.Write(" := a");
    out.Write(word);
  }
  methods.StartMethod();
  out.WriteLine(variable);
  out.Write("  ^");
  out.Write(variable);
}

// Letters of any script, digits and "_" make up a word.
bool IsWordByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
         (byte >= '0' && byte <= '9') || byte == '_' || byte >= 0x80;
}

}  // namespace

bool HoldsReadOnly(std::string_view properties) {
  constexpr std::string_view kWord = "readOnly";
  for (std::size_t at = properties.find(kWord); at != std::string_view::npos;
       at = properties.find(kWord, at + 1)) {
    const std::size_t end = at + kWord.size();
    if ((at == 0 || !IsWordByte(properties[at - 1])) &&
        (end == properties.size() || !IsWordByte(properties[end]))) {
      return true;
    }
  }
  return false;
}

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

void WriteAttributeAccessors(MethodSections& methods, const PElement& member) {
  PMemberVar attribute = ToMemberVar(member);
  std::string variable = StIdentifier(attribute->GetName());
  std::string typeName;
  const std::string word =
      ArgumentWord(TypeNameOf(attribute->GetTypeName(), typeName, methods.Out().Names()),
                   attribute->GetMultiplicity());
  WriteAccessors(
      methods, variable, word,
      !IsMany(attribute->GetMultiplicity()) && !HoldsReadOnly(attribute->GetProperties()));
}

void WriteLinkAccessors(MethodSections& methods, const PElement& element) {
  PRelType relation = ToRelType(element);
  std::string variable = LinkName(relation);
  PElemTable multiplicity = HeadMultiplicity(relation);
  const std::string word =
      ArgumentWord(StClassName(relation->GetClass2(), methods.Out().Names()), multiplicity);
  WriteAccessors(methods, variable, word, !IsMany(multiplicity));
}

// Smalltalk names made from diagram text.
#include "writer/Naming.h"

#include <array>
#include <cstddef>

#include "model/Charset.h"
#include "model/Error.h"
#include "model/Identifier.h"
#include "model/Unicode.h"
#include "reader/scanner.h"

namespace {

bool IsAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}

// Built by appending: g++ 12 wrongly warns about an insert at the front when
// it optimises.
std::string Prefixed(char prefix, const std::string& name) {
  std::string result(1, prefix);
  result += name;
  return result;
}

// A class name starts with an uppercase letter; one that would start with anything
// else ("_", a digit, a letter without case such as a Chinese one) gets a "V" in
// front, since Pharo's class builder takes no other class name.
std::string MakeClassName(const std::string& text) {
  std::string name = StIdentifier(text);
  UppercaseFirst(name);
  return KindOf(FirstCharacter(name)) == CharKind::UppercaseLetter ? name : Prefixed('V', name);
}

// The same few class and type names are asked for again and again while a
// class is written (its definition, its comment, its method headers, its
// attributes' types), so the last ones made are kept.
struct MadeName {
  std::string text;
  std::string name;
};
std::array<MadeName, 8> MadeNames;
size_t NextMadeName = 0;

// Names of one diagram often differ at their end only ("Class12", "Class13").
bool IsTextOf(const MadeName& made, const std::string& text) {
  return !made.name.empty() && made.text.size() == text.size() && made.text.back() == text.back() &&
         made.text == text;
}

std::string ClassNameOf(const std::string& text) {
  for (const MadeName& made : MadeNames) {
    if (IsTextOf(made, text)) return made.name;
  }
  std::string name = MakeClassName(text);
  MadeNames[NextMadeName] = {text, name};
  NextMadeName = (NextMadeName + 1) % MadeNames.size();
  return name;
}

// A qualified type such as db::Account names the class Account: the text
// after the last "::", kept in last, unless that is blank.
const std::string& TypeNameText(const std::string& text, std::string& last) {
  const size_t separator = text.rfind("::");
  if (separator != std::string::npos) {
    last = Trimmed(text.substr(separator + 2));
    if (!last.empty()) return last;
  }
  return text;
}

}  // namespace

bool IsNameable(const std::string& text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) > ' ') return true;
  }
  return false;
}

std::string StIdentifier(const std::string& text) {
  std::string name = IsIdentifier(text) ? text : MakeIdentifier(text);
  // A text of blanks alone has no name in it, just like the empty text.
  if (name.empty()) throw GenericError("name is empty");
  // Pharo's own convention for a name that would start with a digit.
  return IsAsciiDigit(name[0]) ? Prefixed('v', name) : name;
}

std::string StClassName(const PClassType& cls) {
  if (!cls) return "NO_ELEMENT";
  return ClassNameOf(cls->GetName());
}

std::string StTypeName(const std::string& text) {
  if (text.empty()) return "Object";
  std::string last;
  return ClassNameOf(TypeNameText(text, last));
}

bool IsTypeNameable(const std::string& text) {
  std::string last;
  return text.empty() || IsNameable(TypeNameText(text, last));
}

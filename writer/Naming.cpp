// Smalltalk names made from diagram text.
#include "writer/Naming.h"

#include "model/Error.h"
#include "model/Identifier.h"

namespace {

std::string UpperFirst(std::string name) {
  if (name[0] >= 'a' && name[0] <= 'z') name[0] = static_cast<char>(name[0] - 'a' + 'A');
  return name;
}

}  // namespace

std::string StIdentifier(const std::string& text) {
  if (IsIdentifier(text)) return text;
  std::string name = MakeIdentifier(text);
  // A text of blanks alone has no name in it, just like the empty text.
  if (name.empty()) throw GenericError("name is empty");
  return name;
}

std::string StClassName(const PClassType& cls) {
  if (!cls) return "NO_ELEMENT";
  return UpperFirst(StIdentifier(cls->GetName()));
}

std::string StTypeName(const std::string& text) {
  if (text.empty()) return "Object";
  return UpperFirst(StIdentifier(text));
}

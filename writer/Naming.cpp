// Smalltalk names made from diagram text.
#include "writer/Naming.h"

#include <array>
#include <cstddef>

#include "model/Charset.h"
#include "model/Error.h"
#include "model/Identifier.h"
#include "model/Unicode.h"
#include "reader/scanner.h"
#include "writer/Compose.h"

namespace {

bool IsAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}

// Per byte: whether an ASCII identifier may hold it, and whether it may start one.
enum : unsigned char { kNotInName = 0, kInName = 1, kStartsName = 2 };
constexpr std::array<unsigned char, 256> kNameBytes = [] {
  std::array<unsigned char, 256> bytes{};
  for (int c = 0; c < 256; ++c) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    if (letter) bytes[c] = kInName | kStartsName;
    if (c >= '0' && c <= '9') bytes[c] = kInName;
  }
  return bytes;
}();

unsigned char NameByte(char c) {
  return kNameBytes[static_cast<unsigned char>(c)];
}

// Most diagram names are ASCII identifiers already, which every name below
// keeps as they are: they are told apart here, without the general rules.
bool IsPlainIdentifier(const std::string& text) {
  if (text.empty() || (NameByte(text[0]) & kStartsName) == 0) return false;
  for (const char c : text) {
    if ((NameByte(c) & kInName) == 0) return false;
  }
  return true;
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

bool IsAsciiUpper(char c) {
  return c >= 'A' && c <= 'Z';
}

// A plain identifier that is its own class name.
bool IsPlainClassName(const std::string& text) {
  return IsPlainIdentifier(text) && IsAsciiUpper(text[0]);
}

// The class name of a plain identifier, as MakeClassName makes it.
std::string PlainClassName(const std::string& text) {
  if (IsAsciiUpper(text[0])) return text;
  if (text[0] == '_') return Prefixed('V', text);
  std::string name = text;
  name[0] = static_cast<char>(name[0] - 'a' + 'A');
  return name;
}

std::string ClassNameOf(const std::string& text) {
  if (IsPlainIdentifier(text)) return PlainClassName(text);
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
  if (IsPlainIdentifier(text)) return text;
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
  // A plain identifier holds no "::".
  if (IsPlainIdentifier(text)) return PlainClassName(text);
  std::string last;
  return ClassNameOf(TypeNameText(text, last));
}

bool IsTypeNameable(const std::string& text) {
  std::string last;
  return text.empty() || IsNameable(TypeNameText(text, last));
}

void WriteClassName(const PClassType& cls) {
  if (cls && IsPlainClassName(cls->GetName())) {
    Write(cls->GetName());
  } else {
    Write(StClassName(cls));
  }
}

std::string_view TypeNameOf(const std::string& text, std::string& storage) {
  if (IsPlainClassName(text)) return text;
  storage = StTypeName(text);
  return storage;
}

void WriteTypeName(const std::string& text) {
  std::string storage;
  Write(TypeNameOf(text, storage));
}

void WriteIdentifier(const std::string& text) {
  if (IsPlainIdentifier(text)) {
    Write(text);
  } else {
    Write(StIdentifier(text));
  }
}

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

// The class name of the text, from the names made last when there are any.
std::string ClassNameWith(const std::string& text, MadeNames* names) {
  if (IsPlainIdentifier(text)) return PlainClassName(text);
  return names != nullptr ? names->ClassNameOf(text) : MakeClassName(text);
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

// The type name of the text, from the names made last when there are any.
std::string TypeNameWith(const std::string& text, MadeNames* names) {
  if (text.empty()) return "Object";
  // A plain identifier holds no "::".
  if (IsPlainIdentifier(text)) return PlainClassName(text);
  std::string last;
  return ClassNameWith(TypeNameText(text, last), names);
}

}  // namespace

// Names of one diagram often differ at their end only ("Class12", "Class13").
std::string MadeNames::ClassNameOf(const std::string& text) {
  for (const Made& made : made_) {
    if (!made.name.empty() && made.text.size() == text.size() && made.text.back() == text.back() &&
        made.text == text) {
      return made.name;
    }
  }
  std::string name = MakeClassName(text);
  made_[next_] = {text, name};
  next_ = (next_ + 1) % made_.size();
  return name;
}

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
  return ClassNameWith(cls->GetName(), nullptr);
}

std::string StClassName(const PClassType& cls, MadeNames& names) {
  if (!cls) return "NO_ELEMENT";
  return ClassNameWith(cls->GetName(), &names);
}

std::string StTypeName(const std::string& text) {
  return TypeNameWith(text, nullptr);
}

bool IsTypeNameable(const std::string& text) {
  std::string last;
  return text.empty() || IsNameable(TypeNameText(text, last));
}

void WriteClassName(Composer& out, const PClassType& cls) {
  if (cls && IsPlainClassName(cls->GetName())) {
    out.Write(cls->GetName());
  } else {
    out.Write(StClassName(cls, out.Names()));
  }
}

std::string_view TypeNameOf(const std::string& text, std::string& storage, MadeNames& names) {
  if (IsPlainClassName(text)) return text;
  storage = TypeNameWith(text, &names);
  return storage;
}

void WriteTypeName(Composer& out, const std::string& text) {
  std::string storage;
  out.Write(TypeNameOf(text, storage, out.Names()));
}

void WriteIdentifier(Composer& out, const std::string& text) {
  if (IsPlainIdentifier(text)) {
    out.Write(text);
  } else {
    out.Write(StIdentifier(text));
  }
}

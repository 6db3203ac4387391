// Reads the panel text of a class element into the class and its members.
#include "reader/ClassPanel.h"

#include <optional>
#include <string>
#include <string_view>

#include "model/Error.h"
#include "reader/MemberLine.h"
#include "reader/Parser.h"

namespace {

const ArrayOfString kSectionMark = {"--"};
const ArrayOfString kColourKeys = {"bg=", "fg="};
const ArrayOfString kSectionItems = {"--", "</panel_attributes>", "bg=", "fg="};
const ArrayOfString kStereotypeStart = {"&lt;&lt;"};
const ArrayOfString kStereotypeEnd = {"&gt;&gt;"};
const ArrayOfString kQualifier = {"::"};

// Consumes a "--" section separator; answers false when none stands here.
bool EnterSection(Scanner& input) {
  if (input.LookAheadFor(kSectionMark) != 0) return false;
  input.SkipDelim();
  input.SkipBlanksNotEof();
  return true;
}

// Whether the member line at the position is written as an operation: up to the
// panel's closing tag, "(" before any ":" and "=", and no braces, which close
// annotations such as "Column(name), NotNull}".
bool LooksLikeOperation(const Scanner& input) {
  const std::string& line = input.CurLine();
  bool paren = false;
  for (auto i = static_cast<size_t>(input.BytePos() - 1); i < line.size() && line[i] != '<'; ++i) {
    switch (line[i]) {
      case '(':
        paren = true;
        break;
      case ':':
      case '=':
        if (!paren) return false;
        break;
      case '{':
      case '}':
        return false;
      default:
        break;
    }
  }
  return paren;
}

// Whether a line after the member line at the position, up to the panel's
// closing tag, starts another section.
bool AnotherSectionFollows(Scanner& input) {
  if (input.CurLine().find('<', static_cast<size_t>(input.BytePos() - 1)) != std::string::npos) {
    return false;
  }
  size_t cursor = 0;
  for (;;) {
    const std::string_view text = input.TextLineAhead(cursor);
    if (text.empty()) return false;
    if (text.starts_with("--")) return true;
    if (text.find('<') != std::string_view::npos) return false;
  }
}

// Interfaces and service classes are often drawn with one member section that
// lists operations; those lines are read as operations there. The look ahead
// for another section reads ahead in the file, so it is made at most once per
// panel and only for a line that needs it. A line that names a Smalltalk
// selector is an operation wherever it stands.
void ReadFirstSection(DiagramReader& reader, const PClassType& cls) {
  Scanner& input = reader.Input();
  std::optional<bool> onlySection;
  while (MemberLineFollows(input)) {
    bool operation = SelectorLineFollows(input);
    if (!operation && LooksLikeOperation(input)) {
      if (!onlySection) onlySection = !AnotherSectionFollows(input);
      operation = *onlySection;
    }
    if (operation) {
      ReadOperationLine(reader, cls);
    } else {
      ReadAttributeLine(reader, cls);
    }
  }
}

}  // namespace

void SkipColourLine(Scanner& input) {
  if (input.LookAheadFor(kColourKeys) < 0) return;
  input.ReadUntilChar('<');
  input.SkipBlanksNotEof();
}

// A member line never starts with "<": the member readers would stop on it at
// once and leave it in place, so such a tag can only be a broken panel end.
bool MemberLineFollows(Scanner& input) {
  for (;;) {
    const int32_t k = input.LookAheadFor(kSectionItems);
    if (k < 0) {
      if (input.CurrentChar() == '<') throw GenericError("missing \"</panel_attributes>\"");
      return true;
    }
    if (k <= 1) return false;
    input.ReadUntilChar('<');
    input.SkipBlanksNotEof();
  }
}

void ReadClassNameLine(Scanner& input, const PClassType& cls) {
  const FormatMarkerSet marks = input.ReadFormatMarkers();
  if (marks.Contains('_')) cls->SetUnderlined(true);
  // A qualified name a::b::C names the class C, so that the classes of one
  // namespace keep names of their own; a name ending in "::" is kept whole.
  std::string name = input.ReadPCDataUntil(":<");
  std::string qualified = name;
  while (input.LookAheadFor(kQualifier) == 0) {
    input.SkipDelim();
    name = input.ReadPCDataUntil(":<");
    qualified += "::" + name;
  }
  cls->SetName(name.empty() ? qualified : name);
  // The type text keeps its colon.
  if (input.CurrentChar() == ':') cls->SetTypeName(input.ReadPCDataUntil("<"));
}

void ReadClassPanel(DiagramReader& reader, const PElement& element) {
  Scanner& input = reader.Input();
  const PClassType cls = ToClassType(element);
  SkipColourLine(input);
  if (input.LookAheadFor(kStereotypeStart) == 0) {
    input.SkipDelim();
    cls->SetStereotype(input.ReadPCDataUntilAny(kStereotypeEnd));
    input.CheckToken("&gt;&gt;");
    input.SkipBlanksNotEof();
    SkipColourLine(input);
  }
  ReadClassNameLine(input, cls);
  input.SkipBlanksNotEof();
  SkipColourLine(input);
  if (!EnterSection(input)) return;
  ReadFirstSection(reader, cls);
  if (!EnterSection(input)) return;
  while (MemberLineFollows(input)) ReadOperationLine(reader, cls);
}

// Reads the panel text of a class element into the class and its members.
#include "reader/ClassPanel.h"

#include <optional>
#include <string>
#include <string_view>

#include "model/Error.h"
#include "reader/MemberLine.h"
#include "reader/scanner.h"

namespace {

const ArrayOfString kSectionMark = {"--"};
const ArrayOfString kColourKeys = {"bg=", "fg="};
const ArrayOfString kSectionItems = {"--", "</panel_attributes>", "bg=", "fg="};
const ArrayOfString kStereotypeStart = {"&lt;&lt;"};
const ArrayOfString kStereotypeEnd = {"&gt;&gt;"};
const ArrayOfString kQualifier = {"::"};

// Consumes a "--" section separator; answers false when none stands here.
bool EnterSection() {
  if (LookAheadFor(kSectionMark) != 0) return false;
  SkipDelim();
  SkipBlanksNotEof();
  return true;
}

// Whether the member line at the position is written as an operation: up to the
// panel's closing tag, "(" before any ":" and "=", and no braces, which close
// annotations such as "Column(name), NotNull}".
bool LooksLikeOperation() {
  const std::string& line = CurLine();
  bool paren = false;
  for (auto i = static_cast<size_t>(BytePos() - 1); i < line.size() && line[i] != '<'; ++i) {
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
bool AnotherSectionFollows() {
  if (CurLine().find('<', static_cast<size_t>(BytePos() - 1)) != std::string::npos) return false;
  size_t cursor = 0;
  for (;;) {
    const std::string_view text = TextLineAhead(cursor);
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
void ReadFirstSection(const PClassType& cls) {
  std::optional<bool> onlySection;
  while (MemberLineFollows()) {
    bool operation = SelectorLineFollows();
    if (!operation && LooksLikeOperation()) {
      if (!onlySection) onlySection = !AnotherSectionFollows();
      operation = *onlySection;
    }
    if (operation) {
      ReadOperationLine(cls);
    } else {
      ReadAttributeLine(cls);
    }
  }
}

}  // namespace

void SkipColourLine() {
  if (LookAheadFor(kColourKeys) < 0) return;
  ReadUntilChar('<');
  SkipBlanksNotEof();
}

// A member line never starts with "<": the member readers would stop on it at
// once and leave it in place, so such a tag can only be a broken panel end.
bool MemberLineFollows() {
  for (;;) {
    const int32_t k = LookAheadFor(kSectionItems);
    if (k < 0) {
      if (CurrentChar() == '<') throw GenericError("missing \"</panel_attributes>\"");
      return true;
    }
    if (k <= 1) return false;
    ReadUntilChar('<');
    SkipBlanksNotEof();
  }
}

void ReadClassNameLine(const PClassType& cls) {
  const FormatMarkerSet marks = ReadFormatMarkers();
  if (marks.Contains('_')) cls->SetUnderlined(true);
  // A qualified name a::b::C names the class C, so that the classes of one
  // namespace keep names of their own; a name ending in "::" is kept whole.
  std::string name = ReadPCDataUntil(":<");
  std::string qualified = name;
  while (LookAheadFor(kQualifier) == 0) {
    SkipDelim();
    name = ReadPCDataUntil(":<");
    qualified += "::" + name;
  }
  cls->SetName(name.empty() ? qualified : name);
  // The type text keeps its colon.
  if (CurrentChar() == ':') cls->SetTypeName(ReadPCDataUntil("<"));
}

void ReadClassPanel(const PElement& element) {
  const PClassType cls = ToClassType(element);
  SkipColourLine();
  if (LookAheadFor(kStereotypeStart) == 0) {
    SkipDelim();
    cls->SetStereotype(ReadPCDataUntilAny(kStereotypeEnd));
    CheckToken("&gt;&gt;");
    SkipBlanksNotEof();
    SkipColourLine();
  }
  ReadClassNameLine(cls);
  SkipBlanksNotEof();
  SkipColourLine();
  if (!EnterSection()) return;
  ReadFirstSection(cls);
  if (!EnterSection()) return;
  while (MemberLineFollows()) ReadOperationLine(cls);
}

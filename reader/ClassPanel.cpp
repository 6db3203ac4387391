// Reads the panel text of a class element into the class and its members.
#include "reader/ClassPanel.h"

#include "model/Error.h"
#include "reader/MemberLine.h"
#include "reader/scanner.h"

namespace {

const ArrayOfString kSectionMark = {"--"};
const ArrayOfString kColourKeys = {"bg=", "fg="};
const ArrayOfString kSectionItems = {"--", "</panel_attributes>", "bg=", "fg="};
const ArrayOfString kStereotypeStart = {"&lt;&lt;"};
const ArrayOfString kStereotypeEnd = {"&gt;&gt;"};

// Consumes a "--" section separator; answers false when none stands here.
bool EnterSection() {
  if (LookAheadFor(kSectionMark) != 0) return false;
  SkipDelim();
  SkipBlanksNotEof();
  return true;
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
  while (LookAheadFor({"::"}) == 0) {
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
  while (MemberLineFollows()) ReadAttributeLine(cls);
  if (!EnterSection()) return;
  while (MemberLineFollows()) ReadOperationLine(cls);
}

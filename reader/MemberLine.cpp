// Reads attribute and operation lines of a class panel into class members.
#include "reader/MemberLine.h"

#include <algorithm>

#include "model/ClassMember.h"
#include "model/Multiplicity.h"
#include "model/Param.h"

namespace {

const std::string kLineEnd(1, kEndOfLine);

// An attribute ends at the start of the panel's closing tag or at the line end.
const ArrayOfString kAttributeEnd = {"<", kLineEnd};
// A parameter ends at the next parameter or at the end of the list.
const ArrayOfString kParamEnd = {",", ")"};

// Operations list their parameters with terminators that do not hold the line
// end, so the line end has to end a value by itself or nothing would.
bool ValueEnds(const ArrayOfString& terminators) {
  return LastDelimiterIn(terminators) || LastDelimiter() == kLineEnd;
}

// Copies a quoted part; answers false when the value ended inside it.
bool ReadQuoted(const ArrayOfString& terminators, const std::string& quote, char quoteChar,
                std::string& result) {
  SkipDelim();
  result += quoteChar;
  result += ReadPCDataUntilAny(JoinDelimiters(terminators, {quote}));
  if (ValueEnds(terminators)) return false;
  SkipDelim();
  result += quoteChar;
  return true;
}

}  // namespace

ArrayOfString JoinDelimiters(const ArrayOfString& a, const ArrayOfString& b) {
  ArrayOfString joined = a;
  joined.insert(joined.end(), b.begin(), b.end());
  return joined;
}

bool LastDelimiterIn(const ArrayOfString& tokens) {
  const std::string& last = LastDelimiter();
  return !last.empty() && std::find(tokens.begin(), tokens.end(), last) != tokens.end();
}

char ReadVisibility() {
  SkipBlanksNotEof();
  const char c = CurrentChar();
  if (c == '#' || c == '+' || c == '-') {
    NextChar();
    return c;
  }
  return ' ';
}

// Every turn either ends the value or consumes the token it stopped at, and no
// piece reads past the line end, so the loop ends.
std::string ReadValueText(const ArrayOfString& terminators) {
  const ArrayOfString outside = JoinDelimiters(terminators, {"&apos;", "&quot;", "("});
  const ArrayOfString inside = JoinDelimiters(outside, {")"});
  std::string result;
  int depth = 0;
  for (;;) {
    result += ReadPCDataUntilAny(depth == 0 ? outside : inside);
    if (ValueEnds(terminators)) break;
    const std::string found = LastDelimiter();
    if (found == "&quot;") {
      if (!ReadQuoted(terminators, found, '"', result)) break;
    } else if (found == "&apos;") {
      if (!ReadQuoted(terminators, found, '\'', result)) break;
    } else if (found == "(") {
      SkipDelim();
      ++depth;
      result += '(';
    } else {
      SkipDelim();
      --depth;
      result += ')';
    }
  }
  return result;
}

TVarDeclRec ReadVarDecl(const ArrayOfString& terminators) {
  TVarDeclRec rec;
  rec.Name = ReadPCDataUntilAny(JoinDelimiters(terminators, {":", "="}));
  if (LastDelimiter() == ":") {
    SkipDelim();
    rec.TypeName = ReadPCDataUntilAny(JoinDelimiters(terminators, {"[", "="}));
    if (LastDelimiter() == "[") {
      SkipDelim();
      rec.Multiplicity = ParseMultiplicity();
      // Only a closing bracket belongs to the multiplicity; a "<" or the line
      // end must stay for the readers that come after.
      if (CurrentChar() == ']') NextChar();
      ReadUntilAny(JoinDelimiters(terminators, {"="}));
    } else {
      rec.Multiplicity = NewElemTable();
    }
  } else {
    rec.Multiplicity = NewElemTable();
  }
  if (LookAheadFor({"="}) == 0) SkipDelim();
  rec.Default = ReadValueText(terminators);
  return rec;
}

void ReadAttributeLine(const PClassType& cls) {
  const FormatMarkerSet markers = ReadFormatMarkers();
  const char visibility = ReadVisibility();
  const TVarDeclRec rec = ReadVarDecl(kAttributeEnd);
  cls->AddMember(NewMemberVar(markers.Contains('_'), std::string(1, visibility), rec.Name,
                              rec.TypeName, rec.Multiplicity, rec.Default));
  SkipBlanksNotEof();
}

void ReadOperationLine(const PClassType& cls) {
  const FormatMarkerSet markers = ReadFormatMarkers();
  const char visibility = ReadVisibility();
  const std::string name = ReadPCDataUntil("(:<");
  PElemTable params = NewElemTable();
  if (GetLastDelimiter() == "(") {
    SkipDelim();
    if (LookAheadFor({")"}) != 0) {
      std::string found;
      do {
        const TVarDeclRec rec = ReadVarDecl(kParamEnd);
        params->Add(NewParam(rec.Name, rec.TypeName, rec.Multiplicity, rec.Default));
        found = LastDelimiter();
        if (found == ",") SkipDelim();
      } while (found == ",");
    }
    if (GetLastDelimiter() == ")") SkipDelim();
  }
  ReadUntil(":<");
  std::string returnType;
  if (GetLastDelimiter() == ":") {
    SkipDelim();
    returnType = ReadPCDataUntil("<");
  }
  cls->AddMember(NewMemberFun(markers.Contains('_'), markers.Contains('/'),
                              std::string(1, visibility), name, returnType, params));
  SkipBlanksNotEof();
}

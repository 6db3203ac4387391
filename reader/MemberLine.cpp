// Reads attribute and operation lines of a class panel into class members.
#include "reader/MemberLine.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "model/ClassMember.h"
#include "model/Error.h"
#include "model/Multiplicity.h"
#include "model/Selector.h"
#include "reader/PropertyString.h"
#include "reader/SharedMembers.h"

namespace {

const std::string kLineEnd(1, kEndOfLine);

// An attribute ends at the start of the panel's closing tag or at the line end.
const ArrayOfString kAttributeEnd = {"<", kLineEnd};
// A parameter ends at the next parameter or at the end of the list.
const ArrayOfString kParamEnd = {",", ")"};

const ArrayOfString kEquals = {"="};

const ArrayOfString kCloseParen = {")"};

// The token lists of one kind of declaration, joined once from its terminators
// rather than for every piece read.
struct DeclTokens {
  explicit DeclTokens(const ArrayOfString& ends)
      : terminators(ends),
        name(JoinDelimiters(ends, {":", "="})),
        type(JoinDelimiters(ends, {"[", "="})),
        afterMultiplicity(JoinDelimiters(ends, kEquals)),
        outside(JoinDelimiters(ends, {"&apos;", "&quot;", "("})),
        inside(JoinDelimiters(outside, kCloseParen)),
        inQuotes(JoinDelimiters(ends, {"&quot;"})),
        inApostrophes(JoinDelimiters(ends, {"&apos;"})) {}

  ArrayOfString terminators;
  ArrayOfString name;
  ArrayOfString type;
  ArrayOfString afterMultiplicity;
  ArrayOfString outside;  // a value's pieces outside parentheses
  ArrayOfString inside;   // and inside them
  ArrayOfString inQuotes;
  ArrayOfString inApostrophes;
};

// Operations list their parameters with terminators that do not hold the line
// end, so the line end has to end a value by itself or nothing would.
bool ValueEnds(const ArrayOfString& terminators) {
  return LastDelimiterIn(terminators) || LastDelimiter() == kLineEnd;
}

// Copies a quoted part up to its closing token; answers false when the value
// ended inside it.
bool ReadQuoted(const DeclTokens& tokens, const ArrayOfString& quoteEnd, char quoteChar,
                std::string& result) {
  SkipDelim();
  result += quoteChar;
  result += ReadPCDataUntilAny(quoteEnd);
  if (ValueEnds(tokens.terminators)) return false;
  SkipDelim();
  result += quoteChar;
  return true;
}

// Every turn either ends the value or consumes the token it stopped at, and no
// piece reads past the line end, so the loop ends.
std::string ReadValue(const DeclTokens& tokens) {
  std::string result;
  int32_t depth = 0;
  for (;;) {
    result += ReadPCDataUntilAny(depth == 0 ? tokens.outside : tokens.inside);
    if (ValueEnds(tokens.terminators)) break;
    const std::string& found = LastDelimiter();
    if (found == "&quot;") {
      if (!ReadQuoted(tokens, tokens.inQuotes, '"', result)) break;
    } else if (found == "&apos;") {
      if (!ReadQuoted(tokens, tokens.inApostrophes, '\'', result)) break;
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

TVarDeclRec ReadDecl(const DeclTokens& tokens) {
  TVarDeclRec rec;
  rec.Name = ReadPCDataUntilAny(tokens.name);
  if (LastDelimiter() == ":") {
    SkipDelim();
    rec.TypeName = ReadPCDataUntilAny(tokens.type);
    if (LastDelimiter() == "[") {
      SkipDelim();
      rec.Multiplicity = ParseMultiplicity();
      // Only a closing bracket belongs to the multiplicity; a "<" or the line
      // end must stay for the readers that come after.
      if (CurrentChar() == ']') NextChar();
      ReadUntilAny(tokens.afterMultiplicity);
    } else {
      rec.Multiplicity = NoElements();
    }
  } else {
    rec.Multiplicity = NoElements();
  }
  if (LookAheadFor(kEquals) == 0) SkipDelim();
  rec.Default = ReadValue(tokens);
  return rec;
}

const DeclTokens& AttributeTokens() {
  static const DeclTokens tokens(kAttributeEnd);
  return tokens;
}

const DeclTokens& ParamTokens() {
  static const DeclTokens tokens(kParamEnd);
  return tokens;
}

// Set when a reader of a member line has looked at the lines after it.
bool LookedAhead = false;

bool OnlyBlanksFollow() {
  if (BytePos() < 1) return false;
  const std::string& line = CurLine();
  for (auto i = static_cast<size_t>(BytePos() - 1); i < line.size(); ++i) {
    if (static_cast<unsigned char>(line[i]) > ' ') return false;
  }
  return true;
}

// The next line of the panel that holds text, from that text on, when a
// parameter list may go on there: the panel's closing tag and a section mark
// end the list however it was left.
std::string_view ContinuationLine() {
  LookedAhead = true;
  size_t cursor = 0;
  const std::string_view next = TextLineAhead(cursor);
  if (next.starts_with("<") || next.starts_with("--")) return {};
  return next;
}

// Long lists are broken after "(" or ","; what follows there goes on at the
// next line with text.
void GoOnAfterSeparator() {
  if (OnlyBlanksFollow() && !ContinuationLine().empty()) SkipBlanksNotEof();
}

// A parameter that ends its line ends the list only when a ")" opens the next
// line with text; that ")" becomes the delimiter, as if it stood on the line.
void CloseOnNextLine() {
  if (!ContinuationLine().starts_with(")")) return;
  SkipBlanksNotEof();
  LookAheadFor(kCloseParen);
}

// The text before the first "(", decoded and trimmed, as the reading of an operation's
// name gives it; none when no "(" stands in the text, or when the text does not
// decode, which the reading of the line reports where it meets it.
std::optional<std::string> TextBeforeParen(std::string_view text) {
  const size_t paren = text.find('(');
  if (paren == std::string_view::npos) return std::nullopt;
  try {
    return Trimmed(DecodePCData(text.substr(0, paren)));
  } catch (const PlimkoError&) {
    return std::nullopt;
  }
}

}  // namespace

ArrayOfString JoinDelimiters(const ArrayOfString& a, const ArrayOfString& b) {
  ArrayOfString joined = a;
  for (const std::string& token : b) joined.Add(token);
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

// The visibility mark is taken as ReadVisibility takes it, after the format marks.
bool SelectorLineFollows() {
  const std::string_view text = MarkedTextAhead();
  size_t at = 0;
  while (at < text.size() && static_cast<unsigned char>(text[at]) <= ' ') ++at;
  if (at < text.size() && (text[at] == '#' || text[at] == '+' || text[at] == '-')) ++at;
  const std::optional<std::string> name = TextBeforeParen(text.substr(at));
  return name && (IsKeywordList(*name) || IsBinarySelector(*name));
}

std::string ReadValueText(const ArrayOfString& terminators) {
  return ReadValue(DeclTokens(terminators));
}

TVarDeclRec ReadVarDecl(const ArrayOfString& terminators) {
  return ReadDecl(DeclTokens(terminators));
}

namespace {

// The current line from the position on.
std::string_view RestOfLine() {
  return BytePos() < 1 ? std::string_view()
                       : std::string_view(CurLine()).substr(static_cast<size_t>(BytePos() - 1));
}

// Longer lines are read each time: keeping them would cost their size again.
constexpr size_t kLongestKeptLine = 256;

// Reads a member line of the kind with read, which adds its member to the class
// and answers it. Diagrams repeat lines, in class after class; a line read
// before is not read again when its reading depended on its text alone: it
// stayed within the line, looked at no line after it, and ended at the line's
// end or at the panel's end tag on it. The position is then left where reading
// it would leave it: at the line's end, or past the format marks, which change
// the line, and up to the tag, with "<" as the delimiter.
template <class Read>
void ReadMemberLine(const PClassType& cls, char kind, Read read) {
  const std::string_view rest = RestOfLine();
  if (rest.empty() || rest.size() > kLongestKeptLine) {
    read();
  } else if (const KeptLine kept = MemberOfLine(kind, rest); kept.member) {
    cls->AddMember(kept.member);
    if (kept.endsAtTag) {
      ReadFormatMarkers();
      ReadUntilChar('<');
    } else {
      SkipToLineEnd();
    }
  } else {
    const std::string text(rest);
    const int32_t lineNo = LineNo();
    const int32_t start = BytePos();
    LookedAhead = false;
    const KeptLine line{read(), false};
    // A property string may go on over the lines after it.
    const bool braces = kind == 'a' && text.find('{') != std::string::npos;
    const size_t tag = text.find('<');
    const bool atLineEnd = BytePos() == static_cast<int32_t>(CurLine().size()) + 1;
    const bool atTag = tag != std::string::npos && BytePos() == start + static_cast<int32_t>(tag) &&
                       LastDelimiter() == "<";
    if (!LookedAhead && !braces && LineNo() == lineNo && (atLineEnd || atTag)) {
      KeepMemberOfLine(kind, text, {line.member, atTag});
    }
  }
  SkipBlanksNotEof();
}

PClassMember ReadOperation(const PClassType& cls) {
  const FormatMarkerSet markers = ReadFormatMarkers();
  const char visibility = ReadVisibility();
  // Keywords hold colons, so such a name runs to the "(".
  const std::string_view rest = RestOfLine();
  const std::optional<std::string> before = TextBeforeParen(rest.substr(0, rest.find('<')));
  const std::string name = ReadPCDataUntil(before && IsKeywordList(*before) ? "(<" : "(:<");
  std::vector<PElement> params;
  if (GetLastDelimiter() == "(") {
    SkipDelim();
    GoOnAfterSeparator();
    if (LookAheadFor(kCloseParen) != 0) {
      // Most lists are short; one block holds them.
      params.reserve(4);
      std::string found;
      do {
        const TVarDeclRec rec = ReadDecl(ParamTokens());
        params.push_back(SharedParam(rec));
        if (LastDelimiter() == kLineEnd) CloseOnNextLine();
        found = LastDelimiter();
        if (found == ",") {
          SkipDelim();
          GoOnAfterSeparator();
        }
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
  const PClassMember member = SharedOperation(markers.Contains('_'), markers.Contains('/'),
                                              visibility, name, returnType, params);
  cls->AddMember(member);
  return member;
}

}  // namespace

void ReadAttributeLine(const PClassType& cls) {
  ReadMemberLine(cls, 'a', [&cls] {
    const FormatMarkerSet markers = ReadFormatMarkers();
    const std::string properties = TakePropertyString();
    const char visibility = ReadVisibility();
    const TVarDeclRec rec = ReadDecl(AttributeTokens());
    const PClassMember member = SharedAttribute(markers.Contains('_'), visibility, rec, properties);
    cls->AddMember(member);
    return member;
  });
}

void ReadOperationLine(const PClassType& cls) {
  ReadMemberLine(cls, 'o', [&cls] { return ReadOperation(cls); });
}

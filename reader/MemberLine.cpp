// Reads attribute and operation lines of a class panel into class members.
#include "reader/MemberLine.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "model/ClassMember.h"
#include "model/Error.h"
#include "model/Selector.h"
#include "reader/MultiplicityText.h"
#include "reader/Parser.h"
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
bool ValueEnds(const Scanner& input, const ArrayOfString& terminators) {
  return LastDelimiterIn(input, terminators) || input.LastDelimiterOrEmpty() == kLineEnd;
}

// Copies a quoted part up to its closing token; answers false when the value
// ended inside it.
bool ReadQuoted(Scanner& input, const DeclTokens& tokens, const ArrayOfString& quoteEnd,
                char quoteChar, std::string& result) {
  input.SkipDelim();
  result += quoteChar;
  result += input.ReadPCDataUntilAny(quoteEnd);
  if (ValueEnds(input, tokens.terminators)) return false;
  input.SkipDelim();
  result += quoteChar;
  return true;
}

// Every turn either ends the value or consumes the token it stopped at, and no
// piece reads past the line end, so the loop ends.
std::string ReadValue(Scanner& input, const DeclTokens& tokens) {
  std::string result;
  int32_t depth = 0;
  for (;;) {
    result += input.ReadPCDataUntilAny(depth == 0 ? tokens.outside : tokens.inside);
    if (ValueEnds(input, tokens.terminators)) break;
    const std::string& found = input.LastDelimiterOrEmpty();
    if (found == "&quot;") {
      if (!ReadQuoted(input, tokens, tokens.inQuotes, '"', result)) break;
    } else if (found == "&apos;") {
      if (!ReadQuoted(input, tokens, tokens.inApostrophes, '\'', result)) break;
    } else if (found == "(") {
      input.SkipDelim();
      ++depth;
      result += '(';
    } else {
      input.SkipDelim();
      --depth;
      result += ')';
    }
  }
  return result;
}

TVarDeclRec ReadDecl(DiagramReader& reader, const DeclTokens& tokens) {
  Scanner& input = reader.Input();
  TVarDeclRec rec;
  rec.Name = input.ReadPCDataUntilAny(tokens.name);
  if (input.LastDelimiterOrEmpty() == ":") {
    input.SkipDelim();
    rec.TypeName = input.ReadPCDataUntilAny(tokens.type);
    if (input.LastDelimiterOrEmpty() == "[") {
      input.SkipDelim();
      rec.Multiplicity = ParseMultiplicity(input, reader.Memory());
      // Only a closing bracket belongs to the multiplicity; a "<" or the line
      // end must stay for the readers that come after.
      if (input.CurrentChar() == ']') input.NextChar();
      input.ReadUntilAny(tokens.afterMultiplicity);
    } else {
      rec.Multiplicity = NoElements();
    }
  } else {
    rec.Multiplicity = NoElements();
  }
  if (input.LookAheadFor(kEquals) == 0) input.SkipDelim();
  rec.Default = ReadValue(input, tokens);
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

bool OnlyBlanksFollow(const Scanner& input) {
  if (input.BytePos() < 1) return false;
  const std::string& line = input.CurLine();
  for (auto i = static_cast<size_t>(input.BytePos() - 1); i < line.size(); ++i) {
    if (static_cast<unsigned char>(line[i]) > ' ') return false;
  }
  return true;
}

// The next line of the panel that holds text, from that text on, when a
// parameter list may go on there: the panel's closing tag and a section mark
// end the list however it was left.
std::string_view ContinuationLine(Scanner& input) {
  size_t cursor = 0;
  const std::string_view next = input.TextLineAhead(cursor);
  if (next.starts_with("<") || next.starts_with("--")) return {};
  return next;
}

// Long lists are broken after "(" or ","; what follows there goes on at the
// next line with text.
void GoOnAfterSeparator(Scanner& input) {
  if (OnlyBlanksFollow(input) && !ContinuationLine(input).empty()) input.SkipBlanksNotEof();
}

// A parameter that ends its line ends the list only when a ")" opens the next
// line with text; that ")" becomes the delimiter, as if it stood on the line.
void CloseOnNextLine(Scanner& input) {
  if (!ContinuationLine(input).starts_with(")")) return;
  input.SkipBlanksNotEof();
  input.LookAheadFor(kCloseParen);
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

bool LastDelimiterIn(const Scanner& input, const ArrayOfString& tokens) {
  const std::string& last = input.LastDelimiterOrEmpty();
  return !last.empty() && std::find(tokens.begin(), tokens.end(), last) != tokens.end();
}

char ReadVisibility(Scanner& input) {
  input.SkipBlanksNotEof();
  const char c = input.CurrentChar();
  if (c == '#' || c == '+' || c == '-') {
    input.NextChar();
    return c;
  }
  return ' ';
}

// The visibility mark is taken as ReadVisibility takes it, after the format marks.
bool SelectorLineFollows(const Scanner& input) {
  const std::string_view text = input.MarkedTextAhead();
  size_t at = 0;
  while (at < text.size() && static_cast<unsigned char>(text[at]) <= ' ') ++at;
  if (at < text.size() && (text[at] == '#' || text[at] == '+' || text[at] == '-')) ++at;
  const std::optional<std::string> name = TextBeforeParen(text.substr(at));
  return name && (IsKeywordList(*name) || IsBinarySelector(*name));
}

std::string ReadValueText(Scanner& input, const ArrayOfString& terminators) {
  return ReadValue(input, DeclTokens(terminators));
}

TVarDeclRec ReadVarDecl(DiagramReader& reader, const ArrayOfString& terminators) {
  return ReadDecl(reader, DeclTokens(terminators));
}

namespace {

// The current line from the position on.
std::string_view RestOfLine(const Scanner& input) {
  return input.BytePos() < 1
             ? std::string_view()
             : std::string_view(input.CurLine()).substr(static_cast<size_t>(input.BytePos() - 1));
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
void ReadMemberLine(DiagramReader& reader, const PClassType& cls, char kind, Read read) {
  Scanner& input = reader.Input();
  const std::string_view rest = RestOfLine(input);
  if (rest.empty() || rest.size() > kLongestKeptLine) {
    read();
  } else if (const KeptLine kept = reader.Shared().MemberOfLine(kind, rest); kept.member) {
    cls->AddMember(kept.member);
    if (kept.endsAtTag) {
      input.ReadFormatMarkers();
      input.ReadUntilChar('<');
    } else {
      input.SkipToLineEnd();
    }
  } else {
    const std::string text(rest);
    const int32_t lineNo = input.LineNo();
    const int32_t start = input.BytePos();
    const uint64_t looksAhead = input.LooksAhead();
    const KeptLine line{read(), false};
    // A property string may go on over the lines after it.
    const bool braces = kind == 'a' && text.find('{') != std::string::npos;
    const size_t tag = text.find('<');
    const bool atLineEnd = input.BytePos() == static_cast<int32_t>(input.CurLine().size()) + 1;
    const bool atTag = tag != std::string::npos &&
                       input.BytePos() == start + static_cast<int32_t>(tag) &&
                       input.LastDelimiterOrEmpty() == "<";
    if (input.LooksAhead() == looksAhead && !braces && input.LineNo() == lineNo &&
        (atLineEnd || atTag)) {
      reader.Shared().KeepMemberOfLine(kind, text, {line.member, atTag});
    }
  }
  input.SkipBlanksNotEof();
}

PClassMember ReadOperation(DiagramReader& reader, const PClassType& cls) {
  Scanner& input = reader.Input();
  const FormatMarkerSet markers = input.ReadFormatMarkers();
  const char visibility = ReadVisibility(input);
  // Keywords hold colons, so such a name runs to the "(".
  const std::string_view rest = RestOfLine(input);
  const std::optional<std::string> before = TextBeforeParen(rest.substr(0, rest.find('<')));
  const std::string name = input.ReadPCDataUntil(before && IsKeywordList(*before) ? "(<" : "(:<");
  std::vector<PElement> params;
  if (input.RequireLastDelimiter() == "(") {
    input.SkipDelim();
    GoOnAfterSeparator(input);
    if (input.LookAheadFor(kCloseParen) != 0) {
      // Most lists are short; one block holds them.
      params.reserve(4);
      std::string found;
      do {
        const TVarDeclRec rec = ReadDecl(reader, ParamTokens());
        params.push_back(reader.Shared().SharedParam(rec));
        if (input.LastDelimiterOrEmpty() == kLineEnd) CloseOnNextLine(input);
        found = input.LastDelimiterOrEmpty();
        if (found == ",") {
          input.SkipDelim();
          GoOnAfterSeparator(input);
        }
      } while (found == ",");
    }
    if (input.RequireLastDelimiter() == ")") input.SkipDelim();
  }
  input.ReadUntil(":<");
  std::string returnType;
  if (input.RequireLastDelimiter() == ":") {
    input.SkipDelim();
    returnType = input.ReadPCDataUntil("<");
  }
  const PClassMember member = reader.Shared().SharedOperation(
      markers.Contains('_'), markers.Contains('/'), visibility, name, returnType, params);
  cls->AddMember(member);
  return member;
}

}  // namespace

void ReadAttributeLine(DiagramReader& reader, const PClassType& cls) {
  ReadMemberLine(reader, cls, 'a', [&reader, &cls] {
    Scanner& input = reader.Input();
    const FormatMarkerSet markers = input.ReadFormatMarkers();
    const std::string properties = TakePropertyString(input);
    const char visibility = ReadVisibility(input);
    const TVarDeclRec rec = ReadDecl(reader, AttributeTokens());
    const PClassMember member =
        reader.Shared().SharedAttribute(markers.Contains('_'), visibility, rec, properties);
    cls->AddMember(member);
    return member;
  });
}

void ReadOperationLine(DiagramReader& reader, const PClassType& cls) {
  ReadMemberLine(reader, cls, 'o', [&reader, &cls] { return ReadOperation(reader, cls); });
}

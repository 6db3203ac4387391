// Reads the panel text of a relation (line type, ends, labels) and its point list.
#include "reader/RelationPanel.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

#include "model/Error.h"
#include "reader/MultiplicityText.h"
#include "reader/Parser.h"

namespace {

// Keywords in the order they are tried: "&lt;&lt;" must come before "&lt;".
const ArrayOfString kKeywords = {
    "fg=", "bg=", "lt=", "m1=", "m2=", "r1=", "r2=", "q1=", "q2=", "&lt;&lt;", "&lt;", "&gt;"};
enum Keyword : int32_t {
  kForeground,
  kBackground,
  kLineType,
  kMult1,
  kMult2,
  kRole1,
  kRole2,
  kQualifier1,
  kQualifier2,
  kStereotype,
  kLeftMark,
  kRightMark,
};

const ArrayOfString kLeftHead = {"&lt;"};
const ArrayOfString kRightHead = {"&gt;"};
const ArrayOfString kStereotypeEnd = {"&gt;&gt;"};
const ArrayOfString kPanelEnd = {"</panel_attributes>"};
const ArrayOfString kPointsEnd = {"</additional_attributes>"};
// A label after a direction mark ends at the panel end; any other label also at a mark.
const ArrayOfString kLabelEnd = {"<"};
const ArrayOfString kLabelStops = {"<", ":"};
const ArrayOfString kLabelItemEnd = {"&lt;", "&gt;", "<"};
const ArrayOfString kLabelItemStops = {"&lt;", "&gt;", "<", ":"};
const ArrayOfString kDirectionMarks = {"&lt;", "&gt;"};

// Whole numbers of up to this many digits are exact in a double.
constexpr size_t kExactDigits = 15;
// Exponents beyond this say nothing more about the size of a number.
constexpr int64_t kExponentCap = 1'000'000'000'000'000;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Reads a number of the form [blanks][sign]digits.digits[e[sign]digits] with at
// least one digit around the full stop. std::from_chars does the conversion, so
// the locale plays no part; it takes neither blanks nor "+", which are passed.
bool ParseDecimal(std::string_view text, double& value) {
  const size_t n = text.size();
  size_t i = 0;
  while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
  size_t start = i;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '+') start = i + 1;
    ++i;
  }
  // The decimal exponent of the first non-zero digit tells, when from_chars finds
  // the number out of range, whether it is too large or too small.
  int64_t magnitude = 0;
  bool nonZero = false;
  size_t digits = 0;
  // The whole part, while it is exact in a double; diagrams mostly write "10.0".
  int64_t whole = 0;
  for (; i < n && IsDigit(text[i]); ++i, ++digits) {
    if (digits < kExactDigits) whole = whole * 10 + (text[i] - '0');
    if (nonZero) {
      ++magnitude;
    } else if (text[i] != '0') {
      nonZero = true;
    }
  }
  const bool exactWhole = digits <= kExactDigits;
  if (i == n || text[i] != '.') return false;
  ++i;
  bool fraction = false;
  for (int64_t k = 1; i < n && IsDigit(text[i]); ++i, ++digits, ++k) {
    fraction = fraction || text[i] != '0';
    if (!nonZero && text[i] != '0') {
      nonZero = true;
      magnitude = -k;
    }
  }
  if (digits == 0) return false;
  int64_t exponent = 0;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    const bool negative = i < n && text[i] == '-';
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    if (i == n || !IsDigit(text[i])) return false;
    for (; i < n && IsDigit(text[i]); ++i) {
      exponent = std::min(exponent * 10 + (text[i] - '0'), kExponentCap);
    }
    if (negative) exponent = -exponent;
  }
  if (i != n) return false;
  if (!nonZero) {
    value = 0.0;
    return true;
  }
  if (exactWhole && !fraction && exponent == 0) {
    value = static_cast<double>(text[start] == '-' ? -whole : whole);
    return true;
  }
  const auto [end, error] = std::from_chars(text.data() + start, text.data() + n, value);
  if (error == std::errc()) return end == text.data() + n;
  // Too small for a double: it rounds to 0 like every number below one half.
  if (error == std::errc::result_out_of_range && magnitude + exponent < 0) {
    value = 0.0;
    return true;
  }
  return false;
}

void ExpectSemicolon(Scanner& input) {
  if (input.CurrentChar() != ';') throw GenericError("missing \";\"");
  input.NextChar();
}

int32_t ReadPoint(DiagramReader& reader) {
  return PointValue(reader, reader.Input().ReadUntil(";<"));
}

// One label item: the text extends the label; the text after a colon is the type.
// stops are the terminators and ":".
void ReadRelationLabel(Scanner& input, const PRelType& rel, std::string& label,
                       const ArrayOfString& terminators, const ArrayOfString& stops) {
  label += input.ReadPCDataUntilAny(stops);
  if (input.RequireLastDelimiter() == ":") {
    input.SkipDelim();
    rel->SetTypeName(input.ReadPCDataUntilAny(terminators));
  }
}

// "lt=": arrow heads written as "&lt;" before the line character and "&gt;"
// after it; the line character gives the style.
void ReadLineType(Scanner& input, const PRelType& rel) {
  input.SkipDelim();
  input.SkipBlanksNotEof();
  int32_t left = 0;
  while (input.LookAheadFor(kLeftHead) == 0) {
    ++left;
    input.NextChar();
    input.ReadUntil("&-.<");
  }
  if (input.CurrentChar() == '.') rel->SetLineStyle('.');
  if (input.CurrentChar() == '-') rel->SetLineStyle('-');
  input.ReadUntil("&<");
  int32_t right = 0;
  while (input.LookAheadFor(kRightHead) == 0) {
    ++right;
    input.NextChar();
    input.ReadUntil("&<");
  }
  rel->SetHeadSize(left > 0 ? left : right);
  if (left == 0 && right == 0) {
    rel->SetDirection(0);
  } else if (left == 1 && right == 1) {
    rel->SetDirection(3);
  } else if (left > 0) {
    rel->SetDirection(1);
  } else {
    rel->SetDirection(2);
  }
  input.ReadUntil("<");
}

// Every item consumes at least one character: keywords are consumed, a label
// reads up to a mark or colon that is not at its start (those are keywords or
// consumed), and a "<" is either the panel end or an error.
void ReadPanelItem(DiagramReader& reader, const PRelType& rel, std::string& label) {
  Scanner& input = reader.Input();
  const int32_t k = input.LookAheadFor(kKeywords);
  switch (k) {
    case kForeground:
    case kBackground:
      input.ReadUntilChar('<');
      break;
    case kLineType:
      ReadLineType(input, rel);
      break;
    case kMult1:
      input.SkipDelim();
      rel->SetMult1(reader.Shared().SharedMultiplicity(ParseMultiplicity(input, reader.Memory())));
      break;
    case kMult2:
      input.SkipDelim();
      rel->SetMult2(reader.Shared().SharedMultiplicity(ParseMultiplicity(input, reader.Memory())));
      break;
    case kRole1:
      input.SkipDelim();
      rel->SetRole1(input.ReadPCDataUntil("<"));
      break;
    case kRole2:
      input.SkipDelim();
      rel->SetRole2(input.ReadPCDataUntil("<"));
      break;
    case kQualifier1:
      input.SkipDelim();
      rel->SetQualifier1(input.ReadPCDataUntil("<"));
      break;
    case kQualifier2:
      input.SkipDelim();
      rel->SetQualifier2(input.ReadPCDataUntil("<"));
      break;
    case kStereotype:
      input.SkipDelim();
      rel->SetStereotype(input.ReadPCDataUntilAny(kStereotypeEnd));
      input.CheckToken("&gt;&gt;");
      break;
    case kLeftMark:
    case kRightMark:
      input.SkipDelim();
      ReadRelationLabel(input, rel, label, kLabelEnd, kLabelStops);
      break;
    default:
      if (input.CurrentChar() == '<') throw GenericError("missing \"</panel_attributes>\"");
      ReadRelationLabel(input, rel, label, kLabelItemEnd, kLabelItemStops);
      if (input.LookAheadFor(kDirectionMarks) >= 0) input.SkipDelim();
      break;
  }
}

}  // namespace

void ReadRelationPanel(DiagramReader& reader, const PElement& element) {
  Scanner& input = reader.Input();
  const PRelType rel = ToRelType(element);
  rel->SetLineStyle('-');
  // The label items are gathered here and stored once: appending each to the
  // stored name would copy the whole name per item.
  std::string label = rel->GetName();
  while (input.LookAheadFor(kPanelEnd) != 0) {
    ReadPanelItem(reader, rel, label);
    input.SkipBlanksNotEof();
  }
  rel->SetName(label);
  input.SkipDelim();
  input.SkipBlanksNotEof();
  ReadAdditionalAttributes(reader, rel);
}

// The first pair is the start point; each later pair replaces the end point, so
// the last pair ends up there.
void ReadAdditionalAttributes(DiagramReader& reader, const PRelType& rel) {
  Scanner& input = reader.Input();
  input.CheckToken("<additional_attributes>");
  rel->SetStartX(ReadPoint(reader));
  ExpectSemicolon(input);
  rel->SetStartY(ReadPoint(reader));
  while (input.LookAheadFor(kPointsEnd) != 0) {
    ExpectSemicolon(input);
    rel->SetEndX(ReadPoint(reader));
    ExpectSemicolon(input);
    rel->SetEndY(ReadPoint(reader));
  }
  input.SkipDelim();
}

int32_t PointValue(const DiagramReader& reader, const std::string& text) {
  if (text.find('.') == std::string::npos) {
    const int32_t value = ParseInteger(text);
    try {
      return reader.ScalePoint(value);
    } catch (const PlimkoError&) {
      throw GenericError("\"" + text + "\" is an invalid integer");
    }
  }
  double value = 0.0;
  if (ParseDecimal(text, value)) {
    // The default rounding mode, which nothing changes, rounds halves to even.
    const double rounded = std::nearbyint(value);
    if (rounded >= -2147483648.0 && rounded <= 2147483647.0) {
      return static_cast<int32_t>(rounded);
    }
  }
  throw GenericError("\"" + text + "\" is an invalid float");
}

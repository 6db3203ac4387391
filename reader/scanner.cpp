// The input scanner: reads the diagram file line by line and keeps one position.
#include "reader/scanner.h"

#include <cstdio>
#include <limits>
#include <memory>
#include <string>
#include <utility>

#include "model/Charset.h"
#include "model/Error.h"
#include "model/FileOpen.h"

namespace {

constexpr char kCtrlZ = 26;
constexpr int32_t kBeforeOpen = -1;
constexpr int32_t kAtEof = -2;
// A line must leave room for its end-of-line position in a 32-bit position.
constexpr size_t kMaxLineLength = std::numeric_limits<int32_t>::max() - 1;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

struct ScannerState {
  std::unique_ptr<std::FILE, FileCloser> file;
  std::string shownPath;   // the path as text, for messages
  bool fileEnded = false;  // physical end or Ctrl-Z seen; no further line follows
  std::string curLine;
  int32_t linePos = kBeforeOpen;
  int32_t lineNo = kBeforeOpen;
  std::string lastDelimiter;
};

ScannerState& State() {
  static ScannerState state;
  return state;
}

[[noreturn]] void Fail(const std::string& message) {
  throw GenericError(message);
}

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

bool AtEndOfLine() {
  const ScannerState& s = State();
  return s.linePos > 0 && static_cast<size_t>(s.linePos) > s.curLine.size();
}

// The trimmed text of the current line from start up to the current position.
std::string TextFrom(int32_t start) {
  const ScannerState& s = State();
  if (start < 1) return "";
  const std::string_view line = s.curLine;
  return Trimmed(
      line.substr(static_cast<size_t>(start - 1), static_cast<size_t>(s.linePos - start)));
}

// Reads the raw bytes of the next line; false when the file holds no more.
bool ReadRawLine(std::string& raw) {
  ScannerState& s = State();
  if (!s.file || s.fileEnded) return false;
  std::FILE* file = s.file.get();
  bool gotAny = false;
  for (;;) {
    const int c = std::getc(file);
    if (c == EOF) {
      if (std::ferror(file)) Fail("cannot read \"" + s.shownPath + "\"");
      s.fileEnded = true;
      return gotAny;
    }
    if (c == kCtrlZ) {
      s.fileEnded = true;
      return gotAny;
    }
    gotAny = true;
    if (c == '\n') return true;
    if (c == '\r') {
      const int next = std::getc(file);
      if (next != '\n' && next != EOF) std::ungetc(next, file);
      return true;
    }
    if (raw.size() == kMaxLineLength) Fail("input line too long in \"" + s.shownPath + "\"");
    raw += static_cast<char>(c);
  }
}

void NextLine() {
  ScannerState& s = State();
  std::string raw;
  if (!ReadRawLine(raw)) {
    s.curLine.clear();
    s.linePos = kAtEof;
    return;
  }
  if (s.lineNo == std::numeric_limits<int32_t>::max())
    Fail("too many lines in \"" + s.shownPath + "\"");
  s.curLine = Utf8ToCp1250(raw);
  s.linePos = 1;
  ++s.lineNo;
}

bool MatchesAt(const std::string& token, size_t offset) {
  const std::string& line = State().curLine;
  return token.size() <= line.size() - offset && line.compare(offset, token.size(), token) == 0;
}

bool IsFormatMarker(char c) {
  return c == '*' || c == '/' || c == '_';
}

unsigned MarkerBit(char mark) {
  switch (mark) {
    case '*':
      return 1u;
    case '/':
      return 2u;
    case '_':
      return 4u;
    default:
      return 0u;
  }
}

[[noreturn]] void InvalidInteger(std::string_view text) {
  Fail("\"" + std::string(text) + "\" is an invalid integer");
}

// Built piece by piece: g++ 12 at -O3 warns falsely (-Wrestrict) about a
// concatenation that starts with a one-character string.
[[noreturn]] void ForbiddenCharacter(char c, std::string_view text) {
  std::string message = "\"";
  message += c;
  message += "\" mustnot occur in \"";
  message += text;
  message += "\" xml PCData";
  Fail(message);
}

[[noreturn]] void WrongEntity(std::string_view text) {
  Fail("wrong entity in \"" + std::string(text) + "\"");
}

// The value of one digit in the given base, or -1 when it is none.
int DigitValue(char c, unsigned base) {
  int value = -1;
  if (c >= '0' && c <= '9') value = c - '0';
  if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value >= 0 && static_cast<unsigned>(value) < base ? value : -1;
}

// The radix prefix at the start of text: its base and length; decimal has none.
std::pair<unsigned, size_t> RadixPrefix(std::string_view text) {
  if (text.starts_with("0x")) return {16, 2};
  if (text.empty()) return {10, 0};
  switch (text.front()) {
    case '$':
    case 'x':
    case 'X':
      return {16, 1};
    case '%':
      return {2, 1};
    case '&':
      return {8, 1};
    default:
      return {10, 0};
  }
}

}  // namespace

std::string Trimmed(std::string_view text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return std::string(text.substr(first, last - first));
}

void FormatMarkerSet::Add(char mark) {
  bits_ |= MarkerBit(mark);
}

bool FormatMarkerSet::Contains(char mark) const {
  const unsigned bit = MarkerBit(mark);
  return bit != 0 && (bits_ & bit) != 0;
}

void OpenInput(const std::string& path) {
  ScannerState& s = State();
  s = ScannerState();
  // The file system gets the bytes given; messages show them as text.
  s.shownPath = Utf8ToCp1250(path);
  // A NUL would cut the path short behind our back.
  if (path.find('\0') != std::string::npos) Fail("cannot open \"" + s.shownPath + "\"");
  s.file.reset(OpenFile(path, "rb"));
  if (!s.file) Fail("cannot open \"" + s.shownPath + "\"");
  s.lineNo = 0;
  try {
    NextLine();
  } catch (...) {
    s = ScannerState();
    throw;
  }
}

void CloseInput() {
  ScannerState& s = State();
  if (!s.file) return;
  if (std::fclose(s.file.release()) != 0) Fail("cannot close \"" + s.shownPath + "\"");
}

bool AtEof() {
  return State().linePos == kAtEof;
}

char CurrentChar() {
  const ScannerState& s = State();
  if (s.linePos < 1) return '\0';
  if (AtEndOfLine()) return kEndOfLine;
  return s.curLine[static_cast<size_t>(s.linePos - 1)];
}

const std::string& CurLine() {
  return State().curLine;
}

int32_t LineNo() {
  return State().lineNo;
}

int32_t LinePos() {
  return State().linePos;
}

const std::string& LastDelimiter() {
  return State().lastDelimiter;
}

char NextChar() {
  ScannerState& s = State();
  s.lastDelimiter.clear();
  if (AtEndOfLine()) {
    NextLine();
  } else if (s.linePos > 0) {
    ++s.linePos;
  }
  return CurrentChar();
}

bool SkipBlanks() {
  // The position test, not only AtEof, ends the loop before the file is opened.
  while (State().linePos > 0 && IsBlank(CurrentChar())) NextChar();
  return State().linePos <= 0;
}

void SkipBlanksNotEof() {
  if (SkipBlanks()) Fail("end of file reached unexpectedly");
}

int32_t LookAheadFor(const ArrayOfString& tokens) {
  ScannerState& s = State();
  if (CurrentChar() == '\0') Fail("LookAheadFor reached end of file unexpectedly");
  if (AtEndOfLine()) {
    s.lastDelimiter = std::string(1, kEndOfLine);
    return -2;
  }
  const auto offset = static_cast<size_t>(s.linePos - 1);
  for (size_t index = 0; index < tokens.size(); ++index) {
    if (!MatchesAt(tokens[index], offset)) continue;
    if (tokens[index].empty()) Fail("LookAheadFor is asked to search for EmptyStr");
    s.lastDelimiter = tokens[index];
    return static_cast<int32_t>(index);
  }
  s.lastDelimiter.clear();
  return -1;
}

std::string ReadUntil(std::string_view stopChars) {
  ScannerState& s = State();
  const int32_t start = s.linePos;
  while (s.linePos > 0 && !AtEndOfLine() &&
         stopChars.find(CurrentChar()) == std::string_view::npos) {
    NextChar();
  }
  s.lastDelimiter = std::string(1, CurrentChar());
  return TextFrom(start);
}

std::string ReadUntilChar(char stopChar) {
  return ReadUntil(std::string_view(&stopChar, 1));
}

std::string ReadUntilAny(const ArrayOfString& tokens) {
  const int32_t start = State().linePos;
  while (LookAheadFor(tokens) == -1) NextChar();
  return TextFrom(start);
}

std::string GetLastDelimiter() {
  const std::string& delimiter = State().lastDelimiter;
  if (delimiter.empty()) Fail("LastDelimiter is empty");
  return delimiter;
}

void SkipDelim() {
  ScannerState& s = State();
  if (AtEndOfLine()) {
    NextChar();
  } else {
    const std::string delimiter = GetLastDelimiter();
    // At the end of the file there is nothing left to consume.
    if (s.linePos > 0) s.linePos += static_cast<int32_t>(delimiter.size());
  }
  s.lastDelimiter.clear();
}

void CheckToken(const std::string& token) {
  SkipBlanksNotEof();
  if (token.empty()) Fail("CheckToken: token must not be EmptyStr");
  if (token.size() == 1) {
    if (CurrentChar() != token[0]) Fail("missing \"" + token + "\"");
    NextChar();
    return;
  }
  if (LookAheadFor({token}) != 0) Fail("missing \"" + token + "\"");
  SkipDelim();
}

std::string SkipToAny(const ArrayOfString& tokens) {
  while (LookAheadFor(tokens) < 0) NextChar();
  return State().lastDelimiter;
}

std::string SkipPastAny(const ArrayOfString& tokens) {
  std::string token = SkipToAny(tokens);
  SkipDelim();
  return token;
}

FormatMarkerSet ReadFormatMarkers() {
  ScannerState& s = State();
  FormatMarkerSet result;
  if (s.linePos < 1) return result;
  // last is 1-based: the position just before the first "<" from here on.
  const size_t less = s.curLine.find('<', static_cast<size_t>(s.linePos - 1));
  size_t last = less == std::string::npos ? s.curLine.size() : less;
  while (static_cast<size_t>(s.linePos) < last && IsFormatMarker(CurrentChar()) &&
         CurrentChar() == s.curLine[last - 1]) {
    result.Add(CurrentChar());
    NextChar();
    s.curLine[last - 1] = ' ';
    --last;
  }
  return result;
}

std::string DecodePCData(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '<' || text[i] == '>') ForbiddenCharacter(text[i], text);
    if (text[i] != '&') {
      out += text[i];
      ++i;
      continue;
    }
    if (i + 1 == text.size()) WrongEntity(text);
    const size_t semicolon = text.find(';', i + 1);
    const size_t end = semicolon == std::string_view::npos ? text.size() : semicolon + 1;
    switch (text[i + 1]) {
      case 'a':
        if (i + 2 == text.size()) WrongEntity(text);
        if (text[i + 2] == 'm') {
          out += '&';
        } else if (text[i + 2] == 'p') {
          out += '\'';
        } else {
          WrongEntity(text);
        }
        break;
      case 'g':
        out += '>';
        break;
      case 'l':
        out += '<';
        break;
      case 'q':
        out += '"';
        break;
      case '#': {
        if (semicolon == std::string_view::npos || semicolon == i + 2) WrongEntity(text);
        std::string number(text.substr(i + 2, semicolon - (i + 2)));
        if (number.front() == 'x') number.front() = '$';
        const int32_t code = ParseInteger(number);
        out += CodePointToCp1250(code);
        break;
      }
      default:
        WrongEntity(text);
    }
    i = end;
  }
  return out;
}

std::string ReadPCDataUntil(std::string_view stopChars) {
  return DecodePCData(ReadUntil(stopChars));
}

std::string ReadPCDataUntilAny(const ArrayOfString& tokens) {
  return DecodePCData(ReadUntilAny(tokens));
}

int32_t ParseInteger(std::string_view text) {
  std::string_view rest = text;
  while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
  bool negative = false;
  if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
    negative = rest.front() == '-';
    rest.remove_prefix(1);
  }
  const auto [base, prefixLength] = RadixPrefix(rest);
  rest.remove_prefix(prefixLength);
  if (rest.empty()) InvalidInteger(text);
  // The magnitude stays at most 2^31, so the next step cannot overflow 64 bits.
  const uint64_t limit = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
  uint64_t magnitude = 0;
  for (const char c : rest) {
    const int digit = DigitValue(c, base);
    if (digit < 0) InvalidInteger(text);
    magnitude = magnitude * base + static_cast<unsigned>(digit);
    if (magnitude > limit) InvalidInteger(text);
  }
  return static_cast<int32_t>(negative ? -static_cast<int64_t>(magnitude)
                                       : static_cast<int64_t>(magnitude));
}

// The input scanner: reads the diagram file line by line and keeps one position.
#include "reader/scanner.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
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
// The file is read in blocks of this size and cut into lines in memory.
constexpr size_t kBlockSize = size_t{1} << 16;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

struct ScannerState {
  std::unique_ptr<std::FILE, FileCloser> file;
  std::string shownPath;   // the path as text, for messages
  bool fileEnded = false;  // physical end or Ctrl-Z seen; no further line follows
  std::string block;       // bytes read from the file; those from blockPos on are not yet cut
  size_t blockPos = 0;
  bool blockAscii = true;  // whether every byte of block is ASCII
  // Where the next carriage return and the next Ctrl-Z stand in block.
  struct NextByte {
    size_t from = std::string::npos;  // none of the byte in block from here ...
    size_t at = 0;                    // ... up to here, where it or the block's end is
  };
  NextByte nextReturn;
  NextByte nextCtrlZ;
  std::string raw;  // the bytes of the next line; kept to reuse its buffer
  std::string curLine;
  // The length of the ASCII that curLine starts with: there a byte is a character.
  size_t asciiPrefix = 0;
  int32_t linePos = kBeforeOpen;
  int32_t lineNo = kBeforeOpen;
  std::string lastDelimiter;
};

// At namespace scope, so that the many calls per input byte pay no guard test.
ScannerState TheState;

ScannerState& State() {
  return TheState;
}

[[noreturn]] void Fail(const std::string& message);

// The 0-based offset of the first byte of the current line, at or after from,
// that stops holds; the line's size when there is none.
size_t FindInLine(const ByteSet& stops, size_t from) {
  const std::string& line = State().curLine;
  const char* const bytes = line.data();
  const size_t size = line.size();
  while (from < size && !stops.Contains(bytes[from])) ++from;
  return from;
}

// Up to this many stop bytes are compared one by one rather than put in a set.
constexpr size_t kFewStops = 3;

// As FindInLine, for at most kFewStops stop bytes; a missing one repeats the
// first, or is a byte no line holds when there is none.
size_t FindAnyInLine(std::string_view stopChars, size_t from) {
  const std::string& line = State().curLine;
  char stop[kFewStops];
  for (size_t k = 0; k < kFewStops; ++k) {
    stop[k] = k < stopChars.size() ? stopChars[k] : stopChars.empty() ? '\n' : stopChars[0];
  }
  const char* const bytes = line.data();
  const size_t size = line.size();
  while (from < size && bytes[from] != stop[0] && bytes[from] != stop[1] &&
         bytes[from] != stop[2]) {
    ++from;
  }
  return from;
}

// Matches the tokens at the 0-based offset of the current line, where a token
// may start: the index of the first token found there, or -1.
int32_t TokenAt(const ArrayOfString& tokens, size_t offset);

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

// Whether every byte of the text is ASCII; a word at a time, since whole blocks
// are tested.
bool IsAscii(std::string_view text) {
  constexpr uint64_t kHighBits = 0x8080808080808080u;
  uint64_t bits = 0;
  size_t i = 0;
  for (; i + sizeof bits <= text.size(); i += sizeof bits) {
    uint64_t word = 0;
    std::memcpy(&word, text.data() + i, sizeof word);
    bits |= word;
  }
  for (; i < text.size(); ++i) bits |= static_cast<unsigned char>(text[i]);
  return (bits & kHighBits) == 0;
}

// The block's bytes changed: what was known of them is forgotten.
void BlockChanged() {
  ScannerState& s = State();
  s.blockAscii = IsAscii(s.block);
  s.nextReturn = {};
  s.nextCtrlZ = {};
}

// Reads the next block of the file; false when nothing more could be read. A
// read error stays in the stream's flag for the caller to see.
bool FillBlock() {
  ScannerState& s = State();
  s.block.resize(kBlockSize);
  s.block.resize(std::fread(s.block.data(), 1, kBlockSize, s.file.get()));
  s.blockPos = 0;
  BlockChanged();
  return !s.block.empty();
}

// The offset of the first byte c in the block at or after from, or the block's
// size. The rare bytes are searched for once per block, not once per line.
size_t NextInBlock(ScannerState::NextByte& next, char c, size_t from) {
  const std::string& block = State().block;
  if (next.from <= from && from <= next.at) return next.at;
  const void* found = std::memchr(block.data() + from, c, block.size() - from);
  next.from = from;
  next.at = found == nullptr ? block.size()
                             : static_cast<size_t>(static_cast<const char*>(found) - block.data());
  return next.at;
}

// The offset of the first line break in the block at or after from, or its size.
size_t LineBreakAt(size_t from) {
  ScannerState& s = State();
  const void* feed = std::memchr(s.block.data() + from, '\n', s.block.size() - from);
  const size_t end = feed == nullptr
                         ? s.block.size()
                         : static_cast<size_t>(static_cast<const char*>(feed) - s.block.data());
  return std::min(
      {end, NextInBlock(s.nextReturn, '\r', from), NextInBlock(s.nextCtrlZ, kCtrlZ, from)});
}

// Appends the raw bytes of the next line to raw; false when the file holds no more.
// ascii becomes false when a block that a piece came from holds other bytes.
bool ReadRawLine(std::string& raw, bool& ascii) {
  ScannerState& s = State();
  if (!s.file || s.fileEnded) return false;
  bool gotAny = false;
  for (;;) {
    if (s.blockPos == s.block.size() && !FillBlock()) {
      if (std::ferror(s.file.get())) Fail("cannot read \"" + s.shownPath + "\"");
      s.fileEnded = true;
      return gotAny;
    }
    const size_t start = s.blockPos;
    const size_t end = LineBreakAt(start);
    if (end - start > kMaxLineLength - raw.size()) {
      Fail("input line too long in \"" + s.shownPath + "\"");
    }
    raw.append(s.block, start, end - start);
    ascii = ascii && s.blockAscii;
    gotAny = gotAny || end > start;
    s.blockPos = end;
    if (end == s.block.size()) continue;
    const char c = s.block[s.blockPos++];
    if (c == kCtrlZ) {
      s.fileEnded = true;
      return gotAny;
    }
    // A carriage return takes a line feed right after it along; the end of the
    // file or a failed read there ends the line all the same.
    if (c == '\r' && (s.blockPos < s.block.size() || FillBlock()) && s.block[s.blockPos] == '\n') {
      ++s.blockPos;
    }
    return true;
  }
}

// A line that ends inside an ASCII block with a line feed or a carriage return
// is cut straight into the current line; false, having changed nothing, for any
// other.
bool TakeLineFromBlock() {
  ScannerState& s = State();
  if (!s.file || s.fileEnded || !s.blockAscii || s.blockPos == s.block.size() ||
      s.lineNo == std::numeric_limits<int32_t>::max()) {
    return false;
  }
  const size_t start = s.blockPos;
  const size_t end = LineBreakAt(start);
  if (end == s.block.size() || s.block[end] == kCtrlZ || end - start > kMaxLineLength) return false;
  s.curLine.assign(s.block.data() + start, end - start);
  s.blockPos = end + 1;
  if (s.block[end] == '\r' && (s.blockPos < s.block.size() || FillBlock()) &&
      s.block[s.blockPos] == '\n') {
    ++s.blockPos;
  }
  s.asciiPrefix = s.curLine.size();
  s.linePos = 1;
  ++s.lineNo;
  return true;
}

void NextLine() {
  ScannerState& s = State();
  if (TakeLineFromBlock()) return;
  s.raw.clear();
  bool ascii = true;
  if (!ReadRawLine(s.raw, ascii)) {
    s.curLine.clear();
    s.linePos = kAtEof;
    return;
  }
  if (s.lineNo == std::numeric_limits<int32_t>::max())
    Fail("too many lines in \"" + s.shownPath + "\"");
  // Nearly every line is ASCII, and nearly every other one well-formed; the swap
  // keeps both buffers. A replaced piece is ASCII, so the prefix stays ASCII.
  s.asciiPrefix = ascii || IsAscii(s.raw) ? s.raw.size() : AsciiPrefixLength(s.raw);
  if (s.asciiPrefix == s.raw.size() ||
      IsWellFormedUtf8(std::string_view(s.raw).substr(s.asciiPrefix))) {
    s.curLine.swap(s.raw);
  } else {
    s.curLine = WellFormedUtf8(s.raw);
  }
  s.linePos = 1;
  ++s.lineNo;
}

bool MatchesAt(const std::string& token, size_t offset) {
  return std::string_view(State().curLine).substr(offset).starts_with(token);
}

int32_t TokenAt(const ArrayOfString& tokens, size_t offset) {
  const int32_t found = tokens.FirstAt(std::string_view(State().curLine).substr(offset));
  if (found >= 0 && tokens[static_cast<size_t>(found)].empty()) {
    Fail("LookAheadFor is asked to search for EmptyStr");
  }
  return found;
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

// Up to this many decimal digits fit in an int32_t whatever they are.
constexpr size_t kPlainDigits = 9;

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

// The character of a numeric character reference; "?" for a number that names none.
void AppendCharacter(std::string& out, int32_t code) {
  const bool isCharacter = code >= 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
  if (isCharacter) {
    AppendUtf8(out, static_cast<char32_t>(code));
  } else {
    out += '?';
  }
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

void ArrayOfString::Add(const std::string& token) {
  Head head{HeadOf(token), 0};
  std::memset(&head.mask, 0xFF, std::min(token.size(), sizeof head.mask));
  heads_.push_back(head);
  tokens_.push_back(token);
  if (token.empty()) {
    starts_.AddAll();
  } else {
    starts_.Add(token.front());
  }
}

// Up to a word of the text's first bytes, in the order the heads hold them.
uint64_t ArrayOfString::HeadOf(std::string_view text) {
  uint64_t word = 0;
  if (text.size() >= sizeof word) {
    std::memcpy(&word, text.data(), sizeof word);
  } else {
    std::memcpy(&word, text.data(), text.size());
  }
  return word;
}

int32_t ArrayOfString::FirstAt(std::string_view text) const {
  const uint64_t word = HeadOf(text);
  for (size_t index = 0; index < heads_.size(); ++index) {
    if ((word & heads_[index].mask) != heads_[index].bytes) continue;
    const std::string& token = tokens_[index];
    if (token.size() > text.size()) continue;
    if (token.size() <= sizeof word ||
        text.substr(sizeof word).starts_with(std::string_view(token).substr(sizeof word))) {
      return static_cast<int32_t>(index);
    }
  }
  return -1;
}

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
  std::FILE* file = OpenFileToRead(path);
  if (file == nullptr) {
    const int error = errno;
    State() = ScannerState();
    Fail("cannot open \"" + WellFormedUtf8(path) + "\": " + std::strerror(error));
  }
  // The file system gets the bytes given; messages show them as text.
  OpenInput(file, WellFormedUtf8(path));
}

void OpenInput(std::FILE* stream, const std::string& name) {
  ScannerState& s = State();
  // The buffers keep their storage from the file before: a process that reads
  // one input after another then asks the heap for none of it each time.
  std::string block = std::move(s.block);
  std::string raw = std::move(s.raw);
  std::string curLine = std::move(s.curLine);
  s = ScannerState();
  s.block = std::move(block);
  s.block.clear();
  s.raw = std::move(raw);
  s.curLine = std::move(curLine);
  s.curLine.clear();
  s.file.reset(stream);
  s.shownPath = name;
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

const std::string& InputName() {
  return State().shownPath;
}

int32_t LineNo() {
  return State().lineNo;
}

// The scanner keeps a byte offset, which is all it needs, since every token is ASCII;
// the position shown counts characters: that of the character holding the byte, or
// one past the last character at the end of the line.
int32_t LinePos() {
  const ScannerState& s = State();
  if (s.linePos < 1) return s.linePos;
  const auto offset = static_cast<size_t>(s.linePos - 1);
  if (offset < s.asciiPrefix) return s.linePos;
  const std::string_view line = s.curLine;
  const size_t counted = std::min(offset + 1, line.size());
  size_t position =
      s.asciiPrefix + CharacterCount(line.substr(s.asciiPrefix, counted - s.asciiPrefix));
  if (offset >= line.size()) ++position;
  return static_cast<int32_t>(position);
}

int32_t BytePos() {
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

// Skips a whole run of blanks at a time; the end-of-line position is blank, so
// the run goes on in the next line. The position test, not only AtEof, ends the
// loop before the file is opened.
bool SkipBlanks() {
  ScannerState& s = State();
  while (s.linePos > 0) {
    auto i = static_cast<size_t>(s.linePos - 1);
    while (i < s.curLine.size() && IsBlank(s.curLine[i])) ++i;
    const auto stop = static_cast<int32_t>(i + 1);
    if (stop != s.linePos) s.lastDelimiter.clear();
    if (i < s.curLine.size()) {
      s.linePos = stop;
      break;
    }
    s.lastDelimiter.clear();
    NextLine();
  }
  return s.linePos <= 0;
}

void SkipBlanksNotEof() {
  if (SkipBlanks()) Fail("end of file reached unexpectedly");
}

int32_t LookAheadFor(const ArrayOfString& tokens) {
  ScannerState& s = State();
  if (CurrentChar() == '\0') Fail("LookAheadFor reached end of file unexpectedly");
  if (AtEndOfLine()) {
    s.lastDelimiter.assign(1, kEndOfLine);
    return -2;
  }
  const auto offset = static_cast<size_t>(s.linePos - 1);
  // Most looks are made where no token starts.
  const int32_t found = tokens.Starts().Contains(s.curLine[offset]) ? TokenAt(tokens, offset) : -1;
  if (found < 0) {
    s.lastDelimiter.clear();
  } else {
    s.lastDelimiter = tokens[static_cast<size_t>(found)];
  }
  return found;
}

std::string ReadUntil(std::string_view stopChars) {
  ScannerState& s = State();
  const int32_t start = s.linePos;
  if (s.linePos > 0) {
    const auto from = static_cast<size_t>(s.linePos - 1);
    size_t stop = 0;
    if (stopChars.size() <= kFewStops) {
      stop = FindAnyInLine(stopChars, from);
    } else {
      ByteSet stops;
      for (const char c : stopChars) stops.Add(c);
      stop = FindInLine(stops, from);
    }
    s.linePos = static_cast<int32_t>(stop + 1);
  }
  s.lastDelimiter.assign(1, CurrentChar());
  return TextFrom(start);
}

void SkipToLineEnd() {
  ScannerState& s = State();
  if (s.linePos > 0) s.linePos = static_cast<int32_t>(s.curLine.size() + 1);
  s.lastDelimiter.assign(1, CurrentChar());
}

std::string ReadUntilChar(char stopChar) {
  return ReadUntil(std::string_view(&stopChar, 1));
}

namespace {

// Moves on from the position, within the current line, to the first place where
// LookAheadFor answers anything but -1, and answers that; each place passed over
// is one where it answers -1 and NextChar moves on by one byte.
int32_t LookAheadInLine(const ArrayOfString& tokens) {
  ScannerState& s = State();
  if (s.linePos < 1) return LookAheadFor(tokens);
  const ByteSet& starts = tokens.Starts();
  for (auto offset = static_cast<size_t>(s.linePos - 1);; ++offset) {
    offset = FindInLine(starts, offset);
    if (static_cast<size_t>(s.linePos - 1) != offset) {
      s.linePos = static_cast<int32_t>(offset + 1);
      s.lastDelimiter.clear();
    }
    if (offset == s.curLine.size() || s.curLine[offset] == '\0') return LookAheadFor(tokens);
    const int32_t found = TokenAt(tokens, offset);
    if (found >= 0) {
      s.lastDelimiter = tokens[static_cast<size_t>(found)];
      return found;
    }
  }
}

}  // namespace

std::string ReadUntilAny(const ArrayOfString& tokens) {
  const int32_t start = State().linePos;
  LookAheadInLine(tokens);
  return TextFrom(start);
}

const std::string& GetLastDelimiter() {
  const std::string& delimiter = State().lastDelimiter;
  if (delimiter.empty()) Fail("LastDelimiter is empty");
  return delimiter;
}

void SkipDelim() {
  ScannerState& s = State();
  if (AtEndOfLine()) {
    NextChar();
  } else {
    const size_t length = GetLastDelimiter().size();
    // At the end of the file there is nothing left to consume.
    if (s.linePos > 0) s.linePos += static_cast<int32_t>(length);
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
  // After the blanks the current character is neither NUL nor the line end, so
  // this is what LookAheadFor and SkipDelim would do, without a list to build.
  ScannerState& s = State();
  s.lastDelimiter.clear();
  if (!MatchesAt(token, static_cast<size_t>(s.linePos - 1))) Fail("missing \"" + token + "\"");
  s.linePos += static_cast<int32_t>(token.size());
}

const std::string& SkipToAny(const ArrayOfString& tokens) {
  int32_t found = LookAheadInLine(tokens);
  while (found < 0) {
    NextChar();
    found = LookAheadInLine(tokens);
  }
  return tokens[static_cast<size_t>(found)];
}

const std::string& SkipPastAny(const ArrayOfString& tokens) {
  const std::string& token = SkipToAny(tokens);
  SkipDelim();
  return token;
}

namespace {

// The format marks that enclose a line from byte offset at on, up to its first "<" or
// its end: how many there are, and the offset at which the closing ones start.
struct EnclosingMarks {
  std::size_t count = 0;
  std::size_t closing = 0;
};

EnclosingMarks MarksFrom(std::string_view line, std::size_t at) {
  const std::size_t less = line.find('<', at);
  EnclosingMarks marks{0, less == std::string_view::npos ? line.size() : less};
  while (at + marks.count + 1 < marks.closing && IsFormatMarker(line[at + marks.count]) &&
         line[at + marks.count] == line[marks.closing - 1]) {
    ++marks.count;
    --marks.closing;
  }
  return marks;
}

}  // namespace

FormatMarkerSet ReadFormatMarkers() {
  ScannerState& s = State();
  FormatMarkerSet result;
  if (s.linePos < 1) return result;
  const EnclosingMarks marks = MarksFrom(s.curLine, static_cast<size_t>(s.linePos - 1));
  for (size_t i = 0; i < marks.count; ++i) {
    result.Add(CurrentChar());
    NextChar();
    s.curLine[marks.closing + i] = ' ';
  }
  return result;
}

std::string_view MarkedTextAhead() {
  const ScannerState& s = State();
  if (s.linePos < 1 || static_cast<size_t>(s.linePos) > s.curLine.size()) return {};
  const auto at = static_cast<size_t>(s.linePos - 1);
  const EnclosingMarks marks = MarksFrom(s.curLine, at);
  return std::string_view(s.curLine).substr(at + marks.count, marks.closing - at - marks.count);
}

std::string DecodePCData(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    // Plain text is copied a run at a time.
    size_t plain = i;
    while (plain < text.size() && text[plain] != '&' && text[plain] != '<' && text[plain] != '>') {
      ++plain;
    }
    out.append(text, i, plain - i);
    i = plain;
    if (i == text.size()) break;
    if (text[i] != '&') ForbiddenCharacter(text[i], text);
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
        AppendCharacter(out, ParseInteger(number));
        break;
      }
      default:
        WrongEntity(text);
    }
    i = end;
  }
  return out;
}

namespace {

// Most pieces of panel text hold no entity, and are taken as they are. Letters
// come after the three bytes looked for, so most bytes take one test.
std::string Decoded(std::string text) {
  for (const char c : text) {
    if (c <= '>' && (c == '&' || c == '<' || c == '>')) return DecodePCData(text);
  }
  return text;
}

}  // namespace

std::string ReadPCDataUntil(std::string_view stopChars) {
  return Decoded(ReadUntil(stopChars));
}

std::string ReadPCDataUntilAny(const ArrayOfString& tokens) {
  return Decoded(ReadUntilAny(tokens));
}

int32_t ParseInteger(std::string_view text) {
  // Most numbers are a few plain decimal digits, which no 32-bit value overflows.
  if (!text.empty() && text.size() <= kPlainDigits) {
    int32_t value = 0;
    size_t i = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
      value = value * 10 + (text[i] - '0');
    }
    if (i == text.size()) return value;
  }
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

namespace {

// Reads one more block of the file behind the bytes not yet cut into lines,
// dropping those already cut; false when the file holds no more.
bool ExtendBlock() {
  ScannerState& s = State();
  s.block.erase(0, s.blockPos);
  s.blockPos = 0;
  const size_t kept = s.block.size();
  s.block.resize(kept + kBlockSize);
  s.block.resize(kept + std::fread(s.block.data() + kept, 1, kBlockSize, s.file.get()));
  BlockChanged();
  return s.block.size() > kept;
}

// The cursor of a look ahead that has met the end of the file.
constexpr size_t kPastEnd = std::string::npos;

}  // namespace

// Offsets count from the first byte not yet cut into lines, so they stay valid
// when ExtendBlock drops the bytes before it. A read error is left in the
// stream's flag for the next line read to report.
std::string_view TextLineAhead(size_t& cursor) {
  ScannerState& s = State();
  if (!s.file || s.fileEnded) return {};
  while (cursor != kPastEnd) {
    size_t end = cursor;
    for (;;) {
      end = LineBreakAt(s.blockPos + end) - s.blockPos;
      if (s.blockPos + end < s.block.size() || !ExtendBlock()) break;
    }
    const std::string_view ahead = std::string_view(s.block).substr(s.blockPos);
    const std::string_view line = ahead.substr(cursor, end - cursor);
    cursor = end == ahead.size() || ahead[end] == kCtrlZ ? kPastEnd : end + 1;
    for (size_t i = 0; i < line.size(); ++i) {
      if (!IsBlank(line[i])) return line.substr(i);
    }
  }
  return {};
}

// A line's bytes are looked at once each, and only the current line is held,
// so a large file costs one read and no more memory than its longest line. A
// line that cannot be read counts as holding a text: what stopped the reader
// before is then the report.
bool BytesFollow(std::initializer_list<std::string_view> texts) {
  ScannerState& s = State();
  if (s.linePos < 1) return false;
  const std::string shownLine = s.curLine;
  const int32_t shownPos = s.linePos;
  const int32_t shownLineNo = s.lineNo;
  const size_t shownPrefix = s.asciiPrefix;
  bool found = false;
  try {
    for (size_t from = static_cast<size_t>(s.linePos - 1); !found && s.linePos > 0; from = 0) {
      for (const std::string_view text : texts) {
        found = found || s.curLine.find(text, from) != std::string::npos;
      }
      if (!found) NextLine();
    }
  } catch (const PlimkoError&) {
    found = true;
  }
  s.curLine = shownLine;
  s.linePos = shownPos;
  s.lineNo = shownLineNo;
  s.asciiPrefix = shownPrefix;
  return found;
}

void EraseInLine(size_t offset, size_t count) {
  ScannerState& s = State();
  s.curLine.erase(offset, count);
  s.asciiPrefix = AsciiPrefixLength(s.curLine);
}

size_t JoinNextTextLine() {
  ScannerState& s = State();
  std::string joined = std::move(s.curLine);
  const int32_t position = s.linePos;
  while (!joined.empty() && IsBlank(joined.back())) joined.pop_back();
  joined += ' ';
  const size_t at = joined.size();
  const size_t previousPrefix = std::min(s.asciiPrefix, at - 1);
  size_t first = 0;
  do {
    NextLine();
    first = 0;
    while (first < s.curLine.size() && IsBlank(s.curLine[first])) ++first;
  } while (s.linePos > 0 && first == s.curLine.size());
  if (s.curLine.size() - first > kMaxLineLength - at) {
    Fail("input line too long in \"" + s.shownPath + "\"");
  }
  joined.append(s.curLine, first);
  s.curLine = std::move(joined);
  // Positions count the same characters from a shorter ASCII prefix, and the
  // joined line is not searched anew for each line a string goes on over.
  s.asciiPrefix = previousPrefix;
  // The reader stands before the text it joins lines for, so before the blanks that went.
  s.linePos = position;
  return at;
}

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
// A line must leave room for its end-of-line position in a 32-bit position.
constexpr size_t kMaxLineLength = std::numeric_limits<int32_t>::max() - 1;
// The file is read in blocks of this size and cut into lines in memory.
constexpr size_t kBlockSize = size_t{1} << 16;

[[noreturn]] void Fail(const std::string& message) {
  throw GenericError(message);
}

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
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

// Up to this many stop bytes are compared one by one rather than put in a set.
constexpr size_t kFewStops = 3;

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

// The 0-based offset of the first byte of the current line, at or after from,
// that stops holds; the line's size when there is none.
size_t Scanner::FindInLine(const ByteSet& stops, size_t from) const {
  const std::string& line = s_.curLine;
  const char* const bytes = line.data();
  const size_t size = line.size();
  while (from < size && !stops.Contains(bytes[from])) ++from;
  return from;
}

// As FindInLine, for at most kFewStops stop bytes; a missing one repeats the
// first, or is a byte no line holds when there is none.
size_t Scanner::FindAnyInLine(std::string_view stopChars, size_t from) const {
  const std::string& line = s_.curLine;
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

// The trimmed text of the current line from start up to the current position.
std::string Scanner::TextFrom(int32_t start) const {
  if (start < 1) return "";
  const std::string_view line = s_.curLine;
  return Trimmed(
      line.substr(static_cast<size_t>(start - 1), static_cast<size_t>(s_.linePos - start)));
}

// The block's bytes changed: what was known of them is forgotten.
void Scanner::BlockChanged() {
  s_.blockAscii = IsAscii(s_.block);
  s_.nextReturn = {};
  s_.nextCtrlZ = {};
}

// Reads the next block of the file; false when nothing more could be read. A
// read error stays in the stream's flag for the caller to see.
bool Scanner::FillBlock() {
  s_.block.resize(kBlockSize);
  s_.block.resize(std::fread(s_.block.data(), 1, kBlockSize, s_.file.get()));
  s_.blockPos = 0;
  BlockChanged();
  return !s_.block.empty();
}

// The offset of the first byte c in the block at or after from, or the block's
// size. The rare bytes are searched for once per block, not once per line.
size_t Scanner::NextInBlock(NextByte& next, char c, size_t from) const {
  const std::string& block = s_.block;
  if (next.from <= from && from <= next.at) return next.at;
  const void* found = std::memchr(block.data() + from, c, block.size() - from);
  next.from = from;
  next.at = found == nullptr ? block.size()
                             : static_cast<size_t>(static_cast<const char*>(found) - block.data());
  return next.at;
}

// The offset of the first line break in the block at or after from, or its size.
size_t Scanner::LineBreakAt(size_t from) {
  const void* feed = std::memchr(s_.block.data() + from, '\n', s_.block.size() - from);
  const size_t end = feed == nullptr
                         ? s_.block.size()
                         : static_cast<size_t>(static_cast<const char*>(feed) - s_.block.data());
  return std::min(
      {end, NextInBlock(s_.nextReturn, '\r', from), NextInBlock(s_.nextCtrlZ, kCtrlZ, from)});
}

// Appends the raw bytes of the next line to raw; false when the file holds no more.
// ascii becomes false when a block that a piece came from holds other bytes.
bool Scanner::ReadRawLine(std::string& raw, bool& ascii) {
  if (!s_.file || s_.fileEnded) return false;
  bool gotAny = false;
  for (;;) {
    if (s_.blockPos == s_.block.size() && !FillBlock()) {
      if (std::ferror(s_.file.get())) Fail("cannot read \"" + s_.shownPath + "\"");
      s_.fileEnded = true;
      return gotAny;
    }
    const size_t start = s_.blockPos;
    const size_t end = LineBreakAt(start);
    if (end - start > kMaxLineLength - raw.size()) {
      Fail("input line too long in \"" + s_.shownPath + "\"");
    }
    raw.append(s_.block, start, end - start);
    ascii = ascii && s_.blockAscii;
    gotAny = gotAny || end > start;
    s_.blockPos = end;
    if (end == s_.block.size()) continue;
    const char c = s_.block[s_.blockPos++];
    if (c == kCtrlZ) {
      s_.fileEnded = true;
      return gotAny;
    }
    // A carriage return takes a line feed right after it along; the end of the
    // file or a failed read there ends the line all the same.
    if (c == '\r' && (s_.blockPos < s_.block.size() || FillBlock()) &&
        s_.block[s_.blockPos] == '\n') {
      ++s_.blockPos;
    }
    return true;
  }
}

// A line that ends inside an ASCII block with a line feed or a carriage return
// is cut straight into the current line; false, having changed nothing, for any
// other.
bool Scanner::TakeLineFromBlock() {
  if (!s_.file || s_.fileEnded || !s_.blockAscii || s_.blockPos == s_.block.size() ||
      s_.lineNo == std::numeric_limits<int32_t>::max()) {
    return false;
  }
  const size_t start = s_.blockPos;
  const size_t end = LineBreakAt(start);
  if (end == s_.block.size() || s_.block[end] == kCtrlZ || end - start > kMaxLineLength) {
    return false;
  }
  s_.curLine.assign(s_.block.data() + start, end - start);
  s_.blockPos = end + 1;
  if (s_.block[end] == '\r' && (s_.blockPos < s_.block.size() || FillBlock()) &&
      s_.block[s_.blockPos] == '\n') {
    ++s_.blockPos;
  }
  s_.asciiPrefix = s_.curLine.size();
  s_.linePos = 1;
  ++s_.lineNo;
  return true;
}

void Scanner::NextLine() {
  if (TakeLineFromBlock()) return;
  s_.raw.clear();
  bool ascii = true;
  if (!ReadRawLine(s_.raw, ascii)) {
    s_.curLine.clear();
    s_.linePos = kAtEof;
    return;
  }
  if (s_.lineNo == std::numeric_limits<int32_t>::max())
    Fail("too many lines in \"" + s_.shownPath + "\"");
  // Nearly every line is ASCII, and nearly every other one well-formed; the swap
  // keeps both buffers. A replaced piece is ASCII, so the prefix stays ASCII.
  s_.asciiPrefix = ascii || IsAscii(s_.raw) ? s_.raw.size() : AsciiPrefixLength(s_.raw);
  if (s_.asciiPrefix == s_.raw.size() ||
      IsWellFormedUtf8(std::string_view(s_.raw).substr(s_.asciiPrefix))) {
    s_.curLine.swap(s_.raw);
  } else {
    s_.curLine = WellFormedUtf8(s_.raw);
  }
  s_.linePos = 1;
  ++s_.lineNo;
}

int32_t Scanner::TokenAt(const ArrayOfString& tokens, size_t offset) const {
  const int32_t found = tokens.FirstAt(std::string_view(s_.curLine).substr(offset));
  if (found >= 0 && tokens[static_cast<size_t>(found)].empty()) {
    Fail("LookAheadFor is asked to search for EmptyStr");
  }
  return found;
}

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

void Scanner::OpenInput(const std::string& path) {
  std::FILE* file = OpenFileToRead(path);
  if (file == nullptr) {
    const int error = errno;
    s_ = State();
    Fail("cannot open \"" + WellFormedUtf8(path) + "\": " + std::strerror(error));
  }
  // The file system gets the bytes given; messages show them as text.
  OpenInput(file, WellFormedUtf8(path));
}

void Scanner::OpenInput(std::FILE* stream, const std::string& name) {
  // The buffers keep their storage from the input read before: a scanner that
  // reads one input after another then asks the heap for none of it each time.
  std::string block = std::move(s_.block);
  std::string raw = std::move(s_.raw);
  std::string curLine = std::move(s_.curLine);
  s_ = State();
  s_.block = std::move(block);
  s_.block.clear();
  s_.raw = std::move(raw);
  s_.curLine = std::move(curLine);
  s_.curLine.clear();
  s_.file.reset(stream);
  s_.shownPath = name;
  s_.lineNo = 0;
  try {
    NextLine();
  } catch (...) {
    s_ = State();
    throw;
  }
}

void Scanner::CloseInput() {
  if (!s_.file) return;
  if (std::fclose(s_.file.release()) != 0) Fail("cannot close \"" + s_.shownPath + "\"");
}

// The scanner keeps a byte offset, which is all it needs, since every token is ASCII;
// the position shown counts characters: that of the character holding the byte, or
// one past the last character at the end of the line.
int32_t Scanner::LinePos() const {
  if (s_.linePos < 1) return s_.linePos;
  const auto offset = static_cast<size_t>(s_.linePos - 1);
  if (offset < s_.asciiPrefix) return s_.linePos;
  const std::string_view line = s_.curLine;
  const size_t counted = std::min(offset + 1, line.size());
  size_t position =
      s_.asciiPrefix + CharacterCount(line.substr(s_.asciiPrefix, counted - s_.asciiPrefix));
  if (offset >= line.size()) ++position;
  return static_cast<int32_t>(position);
}

char Scanner::NextChar() {
  s_.lastDelimiter.clear();
  if (AtEndOfLine()) {
    NextLine();
  } else if (s_.linePos > 0) {
    ++s_.linePos;
  }
  return CurrentChar();
}

// Skips a whole run of blanks at a time; the end-of-line position is blank, so
// the run goes on in the next line. The position test, not only AtEof, ends the
// loop before the file is opened.
bool Scanner::SkipBlanks() {
  while (s_.linePos > 0) {
    auto i = static_cast<size_t>(s_.linePos - 1);
    while (i < s_.curLine.size() && IsBlank(s_.curLine[i])) ++i;
    const auto stop = static_cast<int32_t>(i + 1);
    if (stop != s_.linePos) s_.lastDelimiter.clear();
    if (i < s_.curLine.size()) {
      s_.linePos = stop;
      break;
    }
    s_.lastDelimiter.clear();
    NextLine();
  }
  return s_.linePos <= 0;
}

void Scanner::SkipBlanksNotEof() {
  if (SkipBlanks()) Fail("end of file reached unexpectedly");
}

int32_t Scanner::LookAheadFor(const ArrayOfString& tokens) {
  if (CurrentChar() == '\0') Fail("LookAheadFor reached end of file unexpectedly");
  if (AtEndOfLine()) {
    s_.lastDelimiter.assign(1, kEndOfLine);
    return -2;
  }
  const auto offset = static_cast<size_t>(s_.linePos - 1);
  // Most looks are made where no token starts.
  const int32_t found = tokens.Starts().Contains(s_.curLine[offset]) ? TokenAt(tokens, offset) : -1;
  if (found < 0) {
    s_.lastDelimiter.clear();
  } else {
    s_.lastDelimiter = tokens[static_cast<size_t>(found)];
  }
  return found;
}

std::string Scanner::ReadUntil(std::string_view stopChars) {
  const int32_t start = s_.linePos;
  if (s_.linePos > 0) {
    const auto from = static_cast<size_t>(s_.linePos - 1);
    size_t stop = 0;
    if (stopChars.size() <= kFewStops) {
      stop = FindAnyInLine(stopChars, from);
    } else {
      ByteSet stops;
      for (const char c : stopChars) stops.Add(c);
      stop = FindInLine(stops, from);
    }
    s_.linePos = static_cast<int32_t>(stop + 1);
  }
  s_.lastDelimiter.assign(1, CurrentChar());
  return TextFrom(start);
}

void Scanner::SkipToLineEnd() {
  if (s_.linePos > 0) s_.linePos = static_cast<int32_t>(s_.curLine.size() + 1);
  s_.lastDelimiter.assign(1, CurrentChar());
}

std::string Scanner::ReadUntilChar(char stopChar) {
  return ReadUntil(std::string_view(&stopChar, 1));
}

// Moves on from the position, within the current line, to the first place where
// LookAheadFor answers anything but -1, and answers that; each place passed over
// is one where it answers -1 and NextChar moves on by one byte.
int32_t Scanner::LookAheadInLine(const ArrayOfString& tokens) {
  if (s_.linePos < 1) return LookAheadFor(tokens);
  const ByteSet& starts = tokens.Starts();
  for (auto offset = static_cast<size_t>(s_.linePos - 1);; ++offset) {
    offset = FindInLine(starts, offset);
    if (static_cast<size_t>(s_.linePos - 1) != offset) {
      s_.linePos = static_cast<int32_t>(offset + 1);
      s_.lastDelimiter.clear();
    }
    if (offset == s_.curLine.size() || s_.curLine[offset] == '\0') return LookAheadFor(tokens);
    const int32_t found = TokenAt(tokens, offset);
    if (found >= 0) {
      s_.lastDelimiter = tokens[static_cast<size_t>(found)];
      return found;
    }
  }
}

std::string Scanner::ReadUntilAny(const ArrayOfString& tokens) {
  const int32_t start = s_.linePos;
  LookAheadInLine(tokens);
  return TextFrom(start);
}

const std::string& Scanner::RequireLastDelimiter() const {
  const std::string& delimiter = s_.lastDelimiter;
  if (delimiter.empty()) Fail("LastDelimiter is empty");
  return delimiter;
}

void Scanner::SkipDelim() {
  if (AtEndOfLine()) {
    NextChar();
  } else {
    const size_t length = RequireLastDelimiter().size();
    // At the end of the file there is nothing left to consume.
    if (s_.linePos > 0) s_.linePos += static_cast<int32_t>(length);
  }
  s_.lastDelimiter.clear();
}

void Scanner::CheckToken(const std::string& token) {
  SkipBlanksNotEof();
  if (token.empty()) Fail("CheckToken: token must not be EmptyStr");
  if (token.size() == 1) {
    if (CurrentChar() != token[0]) Fail("missing \"" + token + "\"");
    NextChar();
    return;
  }
  // After the blanks the current character is neither NUL nor the line end, so
  // this is what LookAheadFor and SkipDelim would do, without a list to build.
  s_.lastDelimiter.clear();
  if (!std::string_view(s_.curLine)
           .substr(static_cast<size_t>(s_.linePos - 1))
           .starts_with(token)) {
    Fail("missing \"" + token + "\"");
  }
  s_.linePos += static_cast<int32_t>(token.size());
}

const std::string& Scanner::SkipToAny(const ArrayOfString& tokens) {
  int32_t found = LookAheadInLine(tokens);
  while (found < 0) {
    NextChar();
    found = LookAheadInLine(tokens);
  }
  return tokens[static_cast<size_t>(found)];
}

const std::string& Scanner::SkipPastAny(const ArrayOfString& tokens) {
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

FormatMarkerSet Scanner::ReadFormatMarkers() {
  FormatMarkerSet result;
  if (s_.linePos < 1) return result;
  const EnclosingMarks marks = MarksFrom(s_.curLine, static_cast<size_t>(s_.linePos - 1));
  for (size_t i = 0; i < marks.count; ++i) {
    result.Add(CurrentChar());
    NextChar();
    s_.curLine[marks.closing + i] = ' ';
  }
  return result;
}

std::string_view Scanner::MarkedTextAhead() const {
  if (s_.linePos < 1 || static_cast<size_t>(s_.linePos) > s_.curLine.size()) return {};
  const auto at = static_cast<size_t>(s_.linePos - 1);
  const EnclosingMarks marks = MarksFrom(s_.curLine, at);
  return std::string_view(s_.curLine).substr(at + marks.count, marks.closing - at - marks.count);
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

std::string Scanner::ReadPCDataUntil(std::string_view stopChars) {
  return Decoded(ReadUntil(stopChars));
}

std::string Scanner::ReadPCDataUntilAny(const ArrayOfString& tokens) {
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

// Reads one more block of the file behind the bytes not yet cut into lines,
// dropping those already cut; false when the file holds no more.
bool Scanner::ExtendBlock() {
  s_.block.erase(0, s_.blockPos);
  s_.blockPos = 0;
  const size_t kept = s_.block.size();
  s_.block.resize(kept + kBlockSize);
  s_.block.resize(kept + std::fread(s_.block.data() + kept, 1, kBlockSize, s_.file.get()));
  BlockChanged();
  return s_.block.size() > kept;
}

namespace {

// The cursor of a look ahead that has met the end of the file.
constexpr size_t kPastEnd = std::string::npos;

}  // namespace

// Offsets count from the first byte not yet cut into lines, so they stay valid
// when ExtendBlock drops the bytes before it. A read error is left in the
// stream's flag for the next line read to report.
std::string_view Scanner::TextLineAhead(size_t& cursor) {
  ++s_.looksAhead;
  if (!s_.file || s_.fileEnded) return {};
  while (cursor != kPastEnd) {
    size_t end = cursor;
    for (;;) {
      end = LineBreakAt(s_.blockPos + end) - s_.blockPos;
      if (s_.blockPos + end < s_.block.size() || !ExtendBlock()) break;
    }
    const std::string_view ahead = std::string_view(s_.block).substr(s_.blockPos);
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
bool Scanner::BytesFollow(std::initializer_list<std::string_view> texts) {
  if (s_.linePos < 1) return false;
  const std::string shownLine = s_.curLine;
  const int32_t shownPos = s_.linePos;
  const int32_t shownLineNo = s_.lineNo;
  const size_t shownPrefix = s_.asciiPrefix;
  bool found = false;
  try {
    for (size_t from = static_cast<size_t>(s_.linePos - 1); !found && s_.linePos > 0; from = 0) {
      for (const std::string_view text : texts) {
        found = found || s_.curLine.find(text, from) != std::string::npos;
      }
      if (!found) NextLine();
    }
  } catch (const PlimkoError&) {
    found = true;
  }
  s_.curLine = shownLine;
  s_.linePos = shownPos;
  s_.lineNo = shownLineNo;
  s_.asciiPrefix = shownPrefix;
  return found;
}

void Scanner::EraseInLine(size_t offset, size_t count) {
  s_.curLine.erase(offset, count);
  s_.asciiPrefix = AsciiPrefixLength(s_.curLine);
}

size_t Scanner::JoinNextTextLine() {
  std::string joined = std::move(s_.curLine);
  const int32_t position = s_.linePos;
  while (!joined.empty() && IsBlank(joined.back())) joined.pop_back();
  joined += ' ';
  const size_t at = joined.size();
  const size_t previousPrefix = std::min(s_.asciiPrefix, at - 1);
  size_t first = 0;
  do {
    NextLine();
    first = 0;
    while (first < s_.curLine.size() && IsBlank(s_.curLine[first])) ++first;
  } while (s_.linePos > 0 && first == s_.curLine.size());
  if (s_.curLine.size() - first > kMaxLineLength - at) {
    Fail("input line too long in \"" + s_.shownPath + "\"");
  }
  joined.append(s_.curLine, first);
  s_.curLine = std::move(joined);
  // Positions count the same characters from a shorter ASCII prefix, and the
  // joined line is not searched anew for each line a string goes on over.
  s_.asciiPrefix = previousPrefix;
  // The reader stands before the text it joins lines for, so before the blanks that went.
  s_.linePos = position;
  return at;
}

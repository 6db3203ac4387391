// The input scanner: reads the diagram file line by line and keeps one position.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// A set of byte values, tested with one load: the scanner tests every byte it
// passes over against one.
class ByteSet {
 public:
  void Add(char c) { members_[Index(c)] = true; }
  void AddAll() { members_.fill(true); }
  bool Contains(char c) const { return members_[Index(c)]; }

 private:
  static unsigned Index(char c) { return static_cast<unsigned char>(c); }
  std::array<bool, 256> members_{};
};

// A list of tokens; the first token of the list that matches wins. It knows
// the bytes at which a look for its tokens can answer anything but "none".
class ArrayOfString {
 public:
  ArrayOfString() { starts_.Add('\0'); }
  ArrayOfString(std::initializer_list<std::string> tokens) : ArrayOfString() {
    for (const std::string& token : tokens) Add(token);
  }
  void Add(const std::string& token);

  std::vector<std::string>::const_iterator begin() const { return tokens_.begin(); }
  std::vector<std::string>::const_iterator end() const { return tokens_.end(); }
  size_t size() const { return tokens_.size(); }
  const std::string& operator[](size_t index) const { return tokens_[index]; }
  // A token's first byte, a NUL (which reads as the end of the file), and
  // every byte when a token is empty.
  const ByteSet& Starts() const { return starts_; }
  // The index of the first token that the text starts with, -1 for none; an
  // empty token is found wherever the tokens before it are not.
  int32_t FirstAt(std::string_view text) const;

 private:
  // A token's first bytes as a word, and the bits of the word that they fill:
  // one compare tells whether the token can stand at a place.
  struct Head {
    uint64_t bytes;
    uint64_t mask;
  };
  static uint64_t HeadOf(std::string_view text);

  std::vector<std::string> tokens_;
  std::vector<Head> heads_;
  ByteSet starts_;
};

// The format marks "*", "/" and "_" that enclose a line.
class FormatMarkerSet {
 public:
  void Add(char mark);
  bool Contains(char mark) const;
  bool IsEmpty() const { return bits_ == 0; }

 private:
  unsigned bits_ = 0;
};

inline constexpr char kEndOfLine = '\r';  // what the end-of-line position reads as

// Opens the file and reads its first line; raises `cannot open "PATH": REASON`, REASON
// as strerror words it ("Is a directory" for a directory, on every system).
void OpenInput(const std::string& path);
// Reads from the open stream (a file, or bytes in memory behind the same
// interface), named as given in messages; the scanner closes it.
void OpenInput(std::FILE* stream, const std::string& name);
void CloseInput();
// The path of the input, as text for messages.
const std::string& InputName();

bool AtEof();
char CurrentChar();
// The current line as UTF-8; each ill-formed piece of the file reads as "?".
const std::string& CurLine();
int32_t LineNo();
// The position in the current line, counted in characters.
int32_t LinePos();
// The 1-based byte offset of the current character in CurLine, where LinePos
// counts characters; the same as LinePos before opening and at end of file.
int32_t BytePos();
// The raw delimiter of the last read; empty when there is none.
const std::string& LastDelimiter();

char NextChar();
bool SkipBlanks();
void SkipBlanksNotEof();
// The index of the first token found at the position, -1 for none, -2 at the
// end of the line; never moves.
int32_t LookAheadFor(const ArrayOfString& tokens);
std::string ReadUntil(std::string_view stopChars);
std::string ReadUntilChar(char stopChar);
// Moves as ReadUntil("") does, to the end of the line, without making its text.
void SkipToLineEnd();
std::string ReadUntilAny(const ArrayOfString& tokens);
const std::string& GetLastDelimiter();
void SkipDelim();
void CheckToken(const std::string& token);
// Both answer the token of the list that was found.
const std::string& SkipToAny(const ArrayOfString& tokens);
const std::string& SkipPastAny(const ArrayOfString& tokens);
FormatMarkerSet ReadFormatMarkers();
// The line from the position on as ReadFormatMarkers would leave it, without moving:
// past the marks that enclose it, up to its first "<" or its end, without the closing
// marks. Valid up to the next call into the scanner.
std::string_view MarkedTextAhead();
std::string DecodePCData(std::string_view text);
std::string ReadPCDataUntil(std::string_view stopChars);
std::string ReadPCDataUntilAny(const ArrayOfString& tokens);

// The text without the blanks (codes 0 to 32) at both ends.
std::string Trimmed(std::string_view text);

// The integer conversion used for every number of the input; raises
// "\"" + text + "\" is an invalid integer".
int32_t ParseInteger(std::string_view text);

// Looks ahead in the file without moving. Answers the first line after the
// current one, from cursor on (0: the line right after the current one), that
// holds a non-blank byte: from that byte to its end, as the file holds it (not
// decoded); cursor moves past that line. Empty when no such line follows. The
// text, and the cursor, hold only up to the next call into the scanner.
std::string_view TextLineAhead(size_t& cursor);

// Readers that take text out of a line, or join what the diagram breaks over
// lines, change the current line; positions and reports follow the changed line.
// Erases count bytes of the current line from the 0-based byte offset on,
// which is at or after the position.
void EraseInLine(size_t offset, size_t count);
// Joins the next line that holds text to the current one: the current line
// without its trailing blanks, one blank, then that line from its first
// non-blank byte. The line number becomes that line's. Answers the offset at
// which its text starts in the joined line. TextLineAhead must have found it.
size_t JoinNextTextLine();

// Whether one of the texts stands in the file from the position on, as bytes.
// Reads on up to the line that holds one, or to the end of the file, but keeps
// the line and position that a report shows; nothing may be read after it.
bool BytesFollow(std::initializer_list<std::string_view> texts);

// The input scanner: reads the diagram file line by line and keeps one position.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <memory>
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

// Where reading stood: the line number, the position in the line counted in
// characters, and the line's text, as a report of a failed read shows them.
struct InputPlace {
  int32_t lineNo = 0;
  int32_t linePos = 0;
  std::string line;
};

// Reads one input line by line and keeps one position in it, and the delimiter at
// which the last read or look stopped. Every failure raises a GenericError with
// the message given, and leaves the place where the scanner stood for the report.
// A line read raises `cannot read "NAME"`, `input line too long in "NAME"` or
// `too many lines in "NAME"`.
class Scanner {
 public:
  Scanner() = default;
  Scanner(const Scanner&) = delete;
  Scanner& operator=(const Scanner&) = delete;

  // Opens the file and reads its first line; raises `cannot open "PATH": REASON`,
  // REASON as strerror words it ("Is a directory" for a directory, on every system),
  // and what reading the first line raises.
  void OpenInput(const std::string& path);
  // Reads from the open stream (a file, or bytes in memory behind the same
  // interface), named as given in messages, and takes it over; raises what a
  // line read raises.
  void OpenInput(std::FILE* stream, const std::string& name);
  // Closes the input, keeping the place for reports; raises `cannot close "NAME"`.
  void CloseInput();
  // The path of the input, as text for messages.
  const std::string& InputName() const { return s_.shownPath; }

  // Whether the end of the file has been reached.
  bool AtEof() const { return s_.linePos == kAtEof; }
  // The character at the position: NUL before opening and at the end of the file,
  // kEndOfLine at the end-of-line position.
  char CurrentChar() const {
    if (s_.linePos < 1) return '\0';
    if (AtEndOfLine()) return kEndOfLine;
    return s_.curLine[static_cast<size_t>(s_.linePos - 1)];
  }
  // The current line as UTF-8; each ill-formed piece of the file reads as "?".
  const std::string& CurLine() const { return s_.curLine; }
  // The number of the current line: -1 before opening, 0 for an empty file.
  int32_t LineNo() const { return s_.lineNo; }
  // The position in the current line, counted in characters; -1 before opening,
  // -2 at the end of the file.
  int32_t LinePos() const;
  // The 1-based byte offset of the current character in CurLine, where LinePos
  // counts characters; the same as LinePos before opening and at end of file.
  int32_t BytePos() const { return s_.linePos; }
  // The place for a report of a failed read.
  InputPlace Place() const { return {LineNo(), LinePos(), CurLine()}; }
  // The raw delimiter of the last read; empty when there is none. Never raises.
  const std::string& LastDelimiterOrEmpty() const { return s_.lastDelimiter; }
  // The raw delimiter of the last read; raises "LastDelimiter is empty" when there
  // is none.
  const std::string& RequireLastDelimiter() const;

  // Moves on by one byte, or to the next line from the end-of-line position, and
  // answers the character there; forgets the delimiter. At the end of the file
  // nothing moves. Raises what a line read raises.
  char NextChar();
  // Moves past blanks (codes 0 to 32), line ends and empty lines; answers whether
  // the end of the file is reached. Raises what a line read raises.
  bool SkipBlanks();
  // As SkipBlanks; raises "end of file reached unexpectedly" at the end of the file.
  void SkipBlanksNotEof();
  // The index of the first token found at the position, -1 for none, -2 at the
  // end of the line; never moves. Sets the delimiter to the token found, to
  // kEndOfLine at the end of the line, or clears it. Raises "LookAheadFor reached
  // end of file unexpectedly" at the end of the file (or on a NUL), "LookAheadFor
  // is asked to search for EmptyStr" when an empty token would match.
  int32_t LookAheadFor(const ArrayOfString& tokens);
  // Moves to the first of the bytes in the current line, or to its end, without
  // consuming it, which becomes the delimiter; answers the text passed, trimmed.
  // Never raises.
  std::string ReadUntil(std::string_view stopChars);
  // ReadUntil with one stop byte.
  std::string ReadUntilChar(char stopChar);
  // Moves as ReadUntil("") does, to the end of the line, without making its text;
  // never raises.
  void SkipToLineEnd();
  // Moves to the first token in the current line, or to its end, without
  // consuming it, which becomes the delimiter; answers the text passed, trimmed.
  // Raises as LookAheadFor.
  std::string ReadUntilAny(const ArrayOfString& tokens);
  // Consumes the delimiter: moves past it, or to the next line from the line's
  // end, and forgets it. Raises "LastDelimiter is empty" when there is none, and
  // what a line read raises.
  void SkipDelim();
  // Skips blanks and consumes the token; raises "missing \"TOKEN\"" when another
  // text stands there, "CheckToken: token must not be EmptyStr", and as
  // SkipBlanksNotEof.
  void CheckToken(const std::string& token);
  // Moves over lines and text to the first token found, leaves it unconsumed and
  // answers it; raises as LookAheadFor and a line read.
  const std::string& SkipToAny(const ArrayOfString& tokens);
  // As SkipToAny, and consumes the token.
  const std::string& SkipPastAny(const ArrayOfString& tokens);
  // Consumes the format marks "*", "/" and "_" that enclose the line from the
  // position on, up to its first "<" or its end, blanking the closing ones in the
  // line; answers them. Never raises.
  FormatMarkerSet ReadFormatMarkers();
  // The line from the position on as ReadFormatMarkers would leave it, without moving:
  // past the marks that enclose it, up to its first "<" or its end, without the closing
  // marks. Valid up to the next call into the scanner.
  std::string_view MarkedTextAhead() const;
  // ReadUntil with the text's entities decoded; raises as DecodePCData.
  std::string ReadPCDataUntil(std::string_view stopChars);
  // ReadUntilAny with the text's entities decoded; raises as it and DecodePCData.
  std::string ReadPCDataUntilAny(const ArrayOfString& tokens);

  // Looks ahead in the file without moving. Answers the first line after the
  // current one, from cursor on (0: the line right after the current one), that
  // holds a non-blank byte: from that byte to its end, as the file holds it (not
  // decoded); cursor moves past that line. Empty when no such line follows. The
  // text, and the cursor, hold only up to the next call into the scanner. Never
  // raises: a read error waits for the next line read.
  std::string_view TextLineAhead(size_t& cursor);
  // How many looks ahead (TextLineAhead) have been made: a reader compares two
  // counts to tell whether it looked past its line.
  uint64_t LooksAhead() const { return s_.looksAhead; }

  // Readers that take text out of a line, or join what the diagram breaks over
  // lines, change the current line; positions and reports follow the changed line.
  // Erases count bytes of the current line from the 0-based byte offset on,
  // which is at or after the position; never raises.
  void EraseInLine(size_t offset, size_t count);
  // Joins the next line that holds text to the current one: the current line
  // without its trailing blanks, one blank, then that line from its first
  // non-blank byte. The line number becomes that line's. Answers the offset at
  // which its text starts in the joined line. TextLineAhead must have found it.
  // Raises what a line read raises.
  size_t JoinNextTextLine();

  // Whether one of the texts stands in the file from the position on, as bytes.
  // Reads on up to the line that holds one, or to the end of the file, but keeps
  // the line and position that a report shows; nothing may be read after it. A
  // line that cannot be read counts as holding one; never raises.
  bool BytesFollow(std::initializer_list<std::string_view> texts);

 private:
  static constexpr int32_t kBeforeOpen = -1;
  static constexpr int32_t kAtEof = -2;

  struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  // Where the next byte of a kind stands in the block.
  struct NextByte {
    size_t from = std::string::npos;  // none of the byte in block from here ...
    size_t at = 0;                    // ... up to here, where it or the block's end is
  };
  struct State {
    std::unique_ptr<std::FILE, FileCloser> file;
    std::string shownPath;   // the path as text, for messages
    bool fileEnded = false;  // physical end or Ctrl-Z seen; no further line follows
    std::string block;       // bytes read from the file; those from blockPos on are not yet cut
    size_t blockPos = 0;
    bool blockAscii = true;  // whether every byte of block is ASCII
    // Where the next carriage return and the next Ctrl-Z stand in block.
    NextByte nextReturn;
    NextByte nextCtrlZ;
    std::string raw;  // the bytes of the next line; kept to reuse its buffer
    std::string curLine;
    // The length of the ASCII that curLine starts with: there a byte is a character.
    size_t asciiPrefix = 0;
    int32_t linePos = kBeforeOpen;
    int32_t lineNo = kBeforeOpen;
    std::string lastDelimiter;
    uint64_t looksAhead = 0;
  };

  bool AtEndOfLine() const {
    return s_.linePos > 0 && static_cast<size_t>(s_.linePos) > s_.curLine.size();
  }
  // The 0-based offset of the first byte of the current line, at or after from,
  // that stops holds; the line's size when there is none.
  size_t FindInLine(const ByteSet& stops, size_t from) const;
  // As FindInLine, for a few stop bytes.
  size_t FindAnyInLine(std::string_view stopChars, size_t from) const;
  // Matches the tokens at the 0-based offset of the current line, where a token
  // may start: the index of the first token found there, or -1.
  int32_t TokenAt(const ArrayOfString& tokens, size_t offset) const;
  // The trimmed text of the current line from start up to the current position.
  std::string TextFrom(int32_t start) const;
  // Moves within the current line to the first place where LookAheadFor answers
  // anything but -1, and answers that.
  int32_t LookAheadInLine(const ArrayOfString& tokens);
  // The block's bytes changed: what was known of them is forgotten.
  void BlockChanged();
  bool FillBlock();
  bool ExtendBlock();
  size_t NextInBlock(NextByte& next, char c, size_t from) const;
  size_t LineBreakAt(size_t from);
  bool ReadRawLine(std::string& raw, bool& ascii);
  bool TakeLineFromBlock();
  // Reads the next line into CurLine, or reaches the end of the file.
  void NextLine();

  State s_;
};

// Decodes the XML character data: the entities &amp; &lt; &gt; &quot; &apos;, by
// their first letters, and &#N; in the notations ParseInteger takes. Raises
// "\"C\" mustnot occur in \"TEXT\" xml PCData" for a "<" or ">", "wrong entity in
// \"TEXT\"", and what ParseInteger raises.
std::string DecodePCData(std::string_view text);

// The text without the blanks (codes 0 to 32) at both ends.
std::string Trimmed(std::string_view text);

// The integer conversion used for every number of the input; raises
// "\"" + text + "\" is an invalid integer".
int32_t ParseInteger(std::string_view text);

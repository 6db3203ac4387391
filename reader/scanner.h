// The input scanner: reads the diagram file line by line and keeps one position.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A list of tokens; the first token of the list that matches wins.
using ArrayOfString = std::vector<std::string>;

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

void OpenInput(const std::string& path);
void CloseInput();

bool AtEof();
char CurrentChar();
const std::string& CurLine();
int32_t LineNo();
int32_t LinePos();
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
std::string ReadUntilAny(const ArrayOfString& tokens);
std::string GetLastDelimiter();
void SkipDelim();
void CheckToken(const std::string& token);
std::string SkipToAny(const ArrayOfString& tokens);
std::string SkipPastAny(const ArrayOfString& tokens);
FormatMarkerSet ReadFormatMarkers();
std::string DecodePCData(std::string_view text);
std::string ReadPCDataUntil(std::string_view stopChars);
std::string ReadPCDataUntilAny(const ArrayOfString& tokens);

// Reading one input with two threads: a forked state reads the same file from
// a line start on, and replaces the state of OpenInput once that one comes to
// the line in the state the fork started from.
struct ScannerState;
struct ScannerStateDeleter {
  void operator()(ScannerState* state) const;
};
using PScannerState = std::unique_ptr<ScannerState, ScannerStateDeleter>;

// The size of the open input when it is a regular file, else -1: only such a
// file can be opened a second time without taking bytes from the first reader.
int64_t InputSize();
// The offset of the first line start at or after from whose text, after blanks,
// begins with firstText, looked for in limit bytes; -1 when none is found.
int64_t FindLineStart(int64_t from, std::string_view firstText, int64_t limit);
// The path OpenInput was given.
const std::string& InputPath();
// A state over the file at the end of an empty line 0: its next line is the one
// at offset, counted as line 1. Empty when the file cannot be read there. It
// touches no scanner state, so any thread may call it.
PScannerState OpenInputAt(const std::string& path, int64_t offset);
// Makes the calling thread's scanner use the state; nullptr stands for the
// state of OpenInput.
void UseScannerState(ScannerState* state);

// Where the line at an offset stands for a scan for tokens from the position:
// still ahead, the next line with nothing the scan stops at before it, or
// passed (also when no further line can be read).
enum class LineReach { kAhead, kNext, kPassed };
LineReach ReachOfLine(int64_t offset, const ArrayOfString& tokens);
// Replaces the current state with a fork that started at the next line, its
// line numbers counted on from the current one; answers false and changes
// nothing when there is no fork, it read no line or its line numbers would not fit.
bool TakeOverScanner(PScannerState& forked);

// The text without the blanks (codes 0 to 32) at both ends.
std::string Trimmed(std::string_view text);

// The integer conversion used for every number of the input; raises
// "\"" + text + "\" is an invalid integer".
int32_t ParseInteger(std::string_view text);

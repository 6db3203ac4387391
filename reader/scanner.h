// The input scanner: reads the diagram file line by line and keeps one position.
#pragma once

#include <cstdint>
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
// The current line as UTF-8; each ill-formed piece of the file reads as "?".
const std::string& CurLine();
int32_t LineNo();
// The position in the current line, counted in characters.
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

// The text without the blanks (codes 0 to 32) at both ends.
std::string Trimmed(std::string_view text);

// The integer conversion used for every number of the input; raises
// "\"" + text + "\" is an invalid integer".
int32_t ParseInteger(std::string_view text);

// Property strings of attribute lines: "{NotBlank, Length(max = 100)}".
#include "reader/PropertyString.h"

#include <string_view>

#include "reader/scanner.h"

namespace {

constexpr size_t kNone = std::string_view::npos;

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

// The offset of the "{" that starts the line's property string, looked for
// from `from` up to any "<". A brace that opens the text, or stands in a
// quoted or parenthesised default such as "f({1})", starts none.
size_t PropertyStart(std::string_view line, size_t from) {
  // Most lines hold no brace, and the library finds that out fastest.
  if (line.find('{', from) == kNone) return kNone;
  bool inQuotes = false;
  bool inApostrophes = false;
  bool textBefore = false;
  int depth = 0;
  for (size_t i = from; i < line.size() && line[i] != '<'; ++i) {
    const std::string_view rest = line.substr(i);
    if (!inApostrophes && rest.starts_with("&quot;")) {
      inQuotes = !inQuotes;
    } else if (!inQuotes && rest.starts_with("&apos;")) {
      inApostrophes = !inApostrophes;
    } else if (!inQuotes && !inApostrophes) {
      if (line[i] == '(') ++depth;
      if (line[i] == ')' && depth > 0) --depth;
      if (line[i] == '{' && depth == 0 && textBefore) return i;
    }
    textBefore = textBefore || !IsBlank(line[i]);
  }
  return kNone;
}

// Where the string, with depth braces open, ends in text from `from` on: past
// its closing brace, or at a "<" (the panel's end) before it; kNone when the
// text ends first.
struct StringEnd {
  size_t at = kNone;
  bool closed = false;
};

StringEnd FindEnd(std::string_view text, size_t from, int& depth) {
  for (size_t i = from; i < text.size(); ++i) {
    if (text[i] == '<') return {i, false};
    if (text[i] == '{') ++depth;
    if (text[i] == '}' && --depth == 0) return {i + 1, true};
  }
  return {};
}

// A line that starts a section or holds the panel's end before the brace
// closes belongs to the panel, not to the string.
bool GoesOnAt(std::string_view next, int depth) {
  if (next.empty() || next.starts_with("--") || next.starts_with("<")) return false;
  const StringEnd end = FindEnd(next, 0, depth);
  return end.closed || end.at == kNone;
}

}  // namespace

std::string TakePropertyString(Scanner& input) {
  if (input.BytePos() < 1) return "";
  const size_t start = PropertyStart(input.CurLine(), static_cast<size_t>(input.BytePos() - 1));
  if (start == kNone) return "";
  int depth = 0;
  StringEnd end = FindEnd(input.CurLine(), start, depth);
  while (end.at == kNone) {
    size_t cursor = 0;
    if (!GoesOnAt(input.TextLineAhead(cursor), depth)) break;
    // Joined first: the join replaces the line, which the search then reads.
    const size_t joinedAt = input.JoinNextTextLine();
    end = FindEnd(input.CurLine(), joinedAt, depth);
  }
  // Left open, the string ends with the last line it took.
  const size_t stop = end.at == kNone ? input.CurLine().size() : end.at;
  const std::string text = Trimmed(std::string_view(input.CurLine()).substr(start, stop - start));
  input.EraseInLine(start, stop - start);
  return DecodePCData(text);
}

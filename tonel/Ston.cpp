// Reading the STON strings, symbols, lists and maps of a class file.
#include "tonel/Ston.h"

#include "model/Charset.h"
#include "tonel/Lexis.h"

namespace {

// The value of the escape \uXXXX at byte at; -1 when there is none.
long HexEscape(std::string_view text, std::size_t at) {
  if (at + 6 > text.size() || text[at] != '\\' || text[at + 1] != 'u') return -1;
  long value = 0;
  for (const char c : text.substr(at + 2, 4)) {
    const std::size_t digit = std::string_view("0123456789abcdefABCDEF").find(c);
    if (digit == std::string_view::npos) return -1;
    value = value * 16 + static_cast<long>(digit < 16 ? digit : digit - 6);
  }
  return value;
}

bool IsHighSurrogate(long code) {
  return code >= 0xD800 && code <= 0xDBFF;
}

bool IsLowSurrogate(long code) {
  return code >= 0xDC00 && code <= 0xDFFF;
}

// Characters beyond the first plane take two escapes, a surrogate pair, as in JSON.
std::size_t AppendHexEscape(const TonelCursor& cursor, std::size_t at, std::string& value) {
  const std::string_view text = cursor.Text();
  const long first = HexEscape(text, at);
  if (first < 0) cursor.FailAt(at, "\\u needs four hexadecimal digits");
  const auto escape = [&] { return "\\u" + std::string(text.substr(at + 2, 4)); };
  if (IsLowSurrogate(first)) cursor.FailAt(at, escape() + " has no high surrogate before it");
  if (!IsHighSurrogate(first)) {
    AppendUtf8(value, static_cast<char32_t>(first));
    return at + 6;
  }
  const long second = HexEscape(text, at + 6);
  if (!IsLowSurrogate(second)) cursor.FailAt(at, escape() + " has no low surrogate after it");
  AppendUtf8(value, static_cast<char32_t>(0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00)));
  return at + 12;
}

// Appends what the escape at byte at (a backslash) stands for; answers the position after it.
std::size_t AppendEscape(const TonelCursor& cursor, std::size_t at, std::string& value) {
  const std::string_view text = cursor.Text();
  const char c = text[at + 1];
  switch (c) {
    case 'b':
      value += '\b';
      break;
    case 'f':
      value += '\f';
      break;
    case 'n':
      value += '\n';
      break;
    case 'r':
      value += '\r';
      break;
    case 't':
      value += '\t';
      break;
    case '\'':
    case '"':
    case '\\':
    case '/':
      value += c;
      break;
    case 'u':
      return AppendHexEscape(cursor, at, value);
    default:
      cursor.FailAt(at, "unknown escape \\" + std::string(1, c) + " in a string");
  }
  return at + 2;
}

std::string ReadString(TonelCursor& cursor) {
  const std::string_view text = cursor.Text();
  const std::size_t start = cursor.Position();
  const char quote = text[start];
  const char stops[] = {quote, '\\', '\0'};
  std::string value;
  for (std::size_t at = start + 1;;) {
    const std::size_t stop = text.find_first_of(stops, at);
    // A backslash as the last character escapes nothing.
    if (stop == std::string_view::npos || (stop + 1 == text.size() && text[stop] == '\\')) {
      cursor.FailAt(start, "the string is not closed");
    }
    value.append(text.substr(at, stop - at));
    if (text[stop] == quote) {
      cursor.MoveTo(stop + 1);
      return value;
    }
    at = AppendEscape(cursor, stop, value);
  }
}

bool IsSymbolCharacter(char c) {
  return (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '/';
}

// #foo or #'foo bar'. ":" ends an unquoted symbol, so that "#key:" is a key.
std::string ReadSymbol(TonelCursor& cursor) {
  const std::string_view text = cursor.Text();
  const std::size_t start = cursor.Position() + 1;
  cursor.MoveTo(start);
  if (cursor.Peek() == '\'' || cursor.Peek() == '"') return ReadString(cursor);
  std::size_t end = start;
  while (end < text.size()) {
    const std::size_t letter = LetterLength(text, end);
    if (letter == 0 && !IsSymbolCharacter(text[end])) break;
    end += letter > 0 ? letter : 1;
  }
  if (end == start) cursor.Fail("a # without a symbol");
  cursor.MoveTo(end);
  return std::string(text.substr(start, end - start));
}

}  // namespace

std::string ReadStonText(TonelCursor& cursor) {
  const char c = cursor.Peek();
  if (c == '\'' || c == '"') return ReadString(cursor);
  if (c == '#') return ReadSymbol(cursor);
  cursor.Fail("expected a string or a symbol");
}

std::vector<std::string> ReadStonTextList(
    TonelCursor& cursor, std::vector<std::pair<std::size_t, std::size_t>>* spellings) {
  if (!cursor.Take('[')) cursor.Fail("expected a list [ ... ]");
  cursor.SkipBlanks();
  std::vector<std::string> items;
  if (cursor.Take(']')) return items;
  while (true) {
    const std::size_t start = cursor.Position();
    items.push_back(ReadStonText(cursor));
    if (spellings != nullptr) spellings->emplace_back(start, cursor.Position());
    cursor.SkipBlanks();
    if (cursor.Take(']')) return items;
    if (!cursor.Take(',')) cursor.Fail("expected , or ] in the list");
    cursor.SkipBlanks();
  }
}

// Lists and maps nest as deep as the text goes, so the open ones are kept on a stack
// of their own rather than on the call stack.
std::string_view SkipStonValue(TonelCursor& cursor) {
  const std::string_view text = cursor.Text();
  const std::size_t start = cursor.Position();
  std::vector<std::size_t> open;  // where each unclosed [ or { stands
  std::size_t end = start;        // after the last character that is no blank
  while (!cursor.AtEnd()) {
    const std::size_t at = cursor.Position();
    const char c = text[at];
    if (open.empty() && (c == ',' || c == '}' || c == ']')) break;
    if (c == '\'' || c == '"') {
      ReadString(cursor);
    } else if (c == '[' || c == '{') {
      open.push_back(at);
      cursor.MoveTo(at + 1);
    } else if (c == ']' || c == '}') {
      const char closer = text[open.back()] == '[' ? ']' : '}';
      if (c != closer) cursor.Fail("expected " + std::string(1, closer));
      open.pop_back();
      cursor.MoveTo(at + 1);
    } else {
      cursor.MoveTo(at + 1);
    }
    if (!IsBlank(c)) end = cursor.Position();
  }
  if (!open.empty()) {
    cursor.FailAt(open.back(), "the " + std::string(1, text[open.back()]) + " is not closed");
  }
  if (end == start) cursor.Fail("expected a value");
  return text.substr(start, end - start);
}

void ReadStonMap(TonelCursor& cursor,
                 const std::function<void(const std::string& key, std::size_t keyAt)>& readValue) {
  if (!cursor.Take('{')) cursor.Fail("expected {");
  cursor.SkipBlanks();
  if (cursor.Take('}')) return;
  while (true) {
    if (cursor.Peek() != '#') cursor.Fail("expected a #key");
    const std::size_t keyAt = cursor.Position();
    const std::string key = ReadSymbol(cursor);
    cursor.SkipBlanks();
    if (!cursor.Take(':')) cursor.Fail("expected : after #" + key);
    cursor.SkipBlanks();
    readValue(key, keyAt);
    cursor.SkipBlanks();
    if (cursor.Take('}')) return;
    if (!cursor.Take(',')) cursor.Fail("expected , or } after the value of #" + key);
    cursor.SkipBlanks();
  }
}

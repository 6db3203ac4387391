// The characters of Smalltalk source that class files are read by.
#include "tonel/Lexis.h"

#include "model/Charset.h"
#include "model/Unicode.h"

bool IsAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

std::size_t LetterLength(std::string_view text, std::size_t at) {
  const auto c = static_cast<unsigned char>(text[at]);
  if (c < 0x80) return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' ? 1 : 0;
  const Utf8Char letter = DecodeUtf8(text, at);
  const CharKind kind = KindOf(letter.codePoint);
  return kind == CharKind::Letter || kind == CharKind::UppercaseLetter ? letter.length : 0;
}

std::size_t IdentifierLength(std::string_view text, std::size_t at) {
  std::size_t end = at;
  while (end < text.size()) {
    const std::size_t letter = LetterLength(text, end);
    if (letter > 0) {
      end += letter;
    } else if (end > at && IsAsciiDigit(text[end])) {
      ++end;
    } else {
      break;
    }
  }
  return end - at;
}

std::size_t AfterGap(std::string_view text, std::size_t at) {
  while (at < text.size()) {
    if (IsBlank(text[at])) {
      ++at;
    } else if (text[at] == '"') {
      const std::size_t close = text.find('"', at + 1);
      if (close == std::string_view::npos) return at;
      at = close + 1;
    } else {
      break;
    }
  }
  return at;
}

std::size_t AfterLiteral(std::string_view text, std::size_t at) {
  const char c = text[at];
  if (c == '$') return at + 1 < text.size() ? at + 2 : std::string_view::npos;
  if (c != '\'' && c != '"') return at;
  const std::size_t close = text.find(c, at + 1);
  return close == std::string_view::npos ? close : close + 1;
}

// Whether diagram text is Smalltalk code that an initialize method can hold as it is.
#include "writer/SmalltalkSyntax.h"

#include <cstddef>

#include "model/Charset.h"
#include "model/Unicode.h"

namespace {

// Each scanner below answers where the token that starts at `at` ends, or
// kNoMatch when no such token starts there.
constexpr std::size_t kNoMatch = std::string_view::npos;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsRadixDigit(char c) {
  return IsDigit(c) || (c >= 'A' && c <= 'Z');
}

bool IsBinaryCharacter(char c) {
  constexpr std::string_view kCharacters = "+-*/\\<>=~@%|&?,";
  return kCharacters.find(c) != std::string_view::npos;
}

bool Has(std::string_view text, std::size_t at, char c) {
  return at < text.size() && text[at] == c;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::size_t SkipBlanks(std::string_view text, std::size_t at) {
  while (at < text.size() && IsBlank(text[at])) ++at;
  return at;
}

// The end of the run of characters that pass the test; `at` itself for none.
std::size_t RunEnd(std::string_view text, std::size_t at, bool (*passes)(char)) {
  while (at < text.size() && passes(text[at])) ++at;
  return at;
}

// Letters are those that names keep: every Unicode letter, of any case or none.
std::size_t IdentifierCharacterEnd(std::string_view text, std::size_t at, bool first) {
  if (at >= text.size()) return kNoMatch;
  if (text[at] == '_' || (!first && IsDigit(text[at]))) return at + 1;
  const Utf8Char c = DecodeUtf8(text, at);
  const CharKind kind = KindOf(c.codePoint);
  return kind == CharKind::Letter || kind == CharKind::UppercaseLetter ? at + c.length : kNoMatch;
}

std::size_t IdentifierEnd(std::string_view text, std::size_t at) {
  std::size_t end = IdentifierCharacterEnd(text, at, true);
  if (end == kNoMatch) return kNoMatch;
  for (std::size_t next = end; next != kNoMatch; next = IdentifierCharacterEnd(text, end, false)) {
    end = next;
  }
  return end;
}

std::size_t KeywordEnd(std::string_view text, std::size_t at) {
  const std::size_t end = IdentifierEnd(text, at);
  return end != kNoMatch && Has(text, end, ':') ? end + 1 : kNoMatch;
}

// One keyword or more, with nothing between them, as in #at:put:.
std::size_t KeywordRunEnd(std::string_view text, std::size_t at) {
  std::size_t end = KeywordEnd(text, at);
  if (end == kNoMatch) return kNoMatch;
  for (std::size_t next = end; next != kNoMatch; next = KeywordEnd(text, end)) end = next;
  return end;
}

std::size_t BinaryEnd(std::string_view text, std::size_t at) {
  const std::size_t end = RunEnd(text, at, IsBinaryCharacter);
  return end > at ? end : kNoMatch;
}

// A part of a number that starts with its mark and needs at least one digit
// after it; `at` itself when the part is not there whole.
std::size_t NumberPartEnd(std::string_view text, std::size_t at, char mark, bool (*isDigit)(char),
                          bool takesSign) {
  if (!Has(text, at, mark)) return at;
  std::size_t digits = at + 1;
  if (takesSign && Has(text, digits, '-')) ++digits;
  const std::size_t end = RunEnd(text, digits, isDigit);
  return end > digits ? end : at;
}

// Digits, then a radix part, a fraction, and an exponent or a scale.
std::size_t NumberEnd(std::string_view text, std::size_t at) {
  const std::size_t digits = Has(text, at, '-') ? at + 1 : at;
  std::size_t end = RunEnd(text, digits, IsDigit);
  if (end == digits) return kNoMatch;
  end = NumberPartEnd(text, end, 'r', IsRadixDigit, false);
  end = NumberPartEnd(text, end, '.', IsDigit, false);
  const std::size_t exponentEnd = NumberPartEnd(text, end, 'e', IsDigit, true);
  if (exponentEnd != end) return exponentEnd;
  return Has(text, end, 's') ? RunEnd(text, end + 1, IsDigit) : end;
}

// A quote inside the string is written twice.
std::size_t StringEnd(std::string_view text, std::size_t at) {
  if (!Has(text, at, '\'')) return kNoMatch;
  for (std::size_t quote = text.find('\'', at + 1); quote != std::string_view::npos;
       quote = text.find('\'', quote + 2)) {
    if (!Has(text, quote + 1, '\'')) return quote + 1;
  }
  return kNoMatch;
}

std::size_t CharacterEnd(std::string_view text, std::size_t at) {
  if (!Has(text, at, '$') || at + 1 >= text.size()) return kNoMatch;
  const Utf8Char c = DecodeUtf8(text, at + 1);
  return c.codePoint == kIllFormed ? kNoMatch : at + 1 + c.length;
}

std::size_t SymbolEnd(std::string_view text, std::size_t at) {
  if (!Has(text, at, '#')) return kNoMatch;
  for (auto scan : {StringEnd, KeywordRunEnd, IdentifierEnd, BinaryEnd}) {
    const std::size_t end = scan(text, at + 1);
    if (end != kNoMatch) return end;
  }
  return kNoMatch;
}

// #[ with runs of digits ]: bytes.
std::size_t ByteArrayEnd(std::string_view text, std::size_t at) {
  if (!Has(text, at, '#') || !Has(text, at + 1, '[')) return kNoMatch;
  std::size_t p = SkipBlanks(text, at + 2);
  while (p < text.size() && IsDigit(text[p])) p = SkipBlanks(text, RunEnd(text, p, IsDigit));
  return Has(text, p, ']') ? p + 1 : kNoMatch;
}

// A literal that holds no other: a number, string, character, symbol or byte array.
std::size_t ScalarLiteralEnd(std::string_view text, std::size_t at) {
  for (auto scan : {NumberEnd, StringEnd, CharacterEnd, ByteArrayEnd, SymbolEnd}) {
    const std::size_t end = scan(text, at);
    if (end != kNoMatch) return end;
  }
  return kNoMatch;
}

bool OpensArray(std::string_view text, std::size_t at) {
  return Has(text, at, '#') && Has(text, at + 1, '(');
}

// #( items ): an item is a literal, an identifier, keywords, a binary selector or
// a nested array, written with or without its "#". The nesting is counted, so
// that no text sets the depth of the stack.
std::size_t LiteralArrayEnd(std::string_view text, std::size_t at) {
  if (!OpensArray(text, at)) return kNoMatch;
  std::size_t depth = 1;
  std::size_t p = at + 2;
  while (depth > 0) {
    p = SkipBlanks(text, p);
    if (p >= text.size()) return kNoMatch;
    if (text[p] == ')' || text[p] == '(' || OpensArray(text, p)) {
      depth = text[p] == ')' ? depth - 1 : depth + 1;
      p += text[p] == '#' ? 2 : 1;
      continue;
    }
    std::size_t end = kNoMatch;
    for (auto scan : {ScalarLiteralEnd, KeywordRunEnd, IdentifierEnd, BinaryEnd}) {
      end = scan(text, p);
      if (end != kNoMatch) break;
    }
    if (end == kNoMatch) return kNoMatch;
    p = end;
  }
  return p;
}

// A literal or a variable; a parenthesis is the caller's.
std::size_t OperandEnd(std::string_view text, std::size_t at) {
  for (auto scan : {LiteralArrayEnd, ScalarLiteralEnd, IdentifierEnd}) {
    const std::size_t end = scan(text, at);
    if (end != kNoMatch) return end;
  }
  return kNoMatch;
}

// A keyword or a binary selector: another operand follows it.
std::size_t SelectorEnd(std::string_view text, std::size_t at) {
  const std::size_t end = KeywordEnd(text, at);
  return end != kNoMatch ? end : BinaryEnd(text, at);
}

}  // namespace

// Unary, binary and keyword messages differ in precedence only, so an
// expression is operands joined by binary selectors and keywords, each operand
// followed by any number of unary selectors. The parentheses are counted.
bool IsSmalltalkExpression(std::string_view text) {
  text = Trimmed(text);
  std::size_t open = 0;
  bool operandNext = true;
  for (std::size_t p = 0;; p = SkipBlanks(text, p)) {
    if (p >= text.size()) return !operandNext && open == 0;
    if (operandNext && text[p] == '(') {
      ++open;
      ++p;
    } else if (operandNext) {
      p = OperandEnd(text, p);
      if (p == kNoMatch) return false;
      operandNext = false;
    } else if (text[p] == ')') {
      if (open == 0) return false;
      --open;
      ++p;
    } else if (const std::size_t selector = SelectorEnd(text, p); selector != kNoMatch) {
      p = selector;
      operandNext = true;
    } else {
      p = IdentifierEnd(text, p);
      if (p == kNoMatch) return false;
    }
  }
}

bool IsSmalltalkIdentifier(std::string_view text) {
  text = Trimmed(text);
  return !text.empty() && IdentifierEnd(text, 0) == text.size();
}

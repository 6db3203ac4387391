// UTF-8, the encoding of all text in the system, and the Windows-1250 code page.
#include "model/Charset.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace {

// The Unicode code point of each Windows-1250 byte from 0x80 on; 0 where the
// code page defines no character.
constexpr std::array<char32_t, 128> kHighHalf = {
    0x20AC, 0,      0x201A, 0,      0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0,      0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 88
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0,      0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // F8
};

// Each defined byte of the upper half by its code point, for a binary search.
struct Cp1250Entry {
  char32_t codePoint;
  unsigned char byte;
};

constexpr std::size_t kDefinedHighBytes =
    std::ranges::count_if(kHighHalf, [](char32_t codePoint) { return codePoint != 0; });

constexpr std::array<Cp1250Entry, kDefinedHighBytes> SortedByCodePoint() {
  std::array<Cp1250Entry, kDefinedHighBytes> entries{};
  std::size_t count = 0;
  for (std::size_t index = 0; index < kHighHalf.size(); ++index) {
    if (kHighHalf[index] != 0) {
      entries[count++] = {kHighHalf[index], static_cast<unsigned char>(0x80 + index)};
    }
  }
  std::ranges::sort(entries, {}, &Cp1250Entry::codePoint);
  return entries;
}

constexpr std::array<Cp1250Entry, kDefinedHighBytes> kByCodePoint = SortedByCodePoint();

bool IsContinuation(unsigned char byte) {
  return byte >= 0x80 && byte <= 0xBF;
}

// The shape of a well-formed sequence that starts with a given lead byte: how
// many continuation bytes follow and which range the first of them must lie
// in. The narrowed ranges exclude overlong forms, surrogates and code points
// above U+10FFFF. A length of 0 marks a byte that cannot start a sequence.
struct LeadShape {
  int continuations;
  unsigned char low;
  unsigned char high;
  char32_t payload;  // the value bits of the lead byte
};

LeadShape ShapeOf(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return {1, 0x80, 0xBF, lead & 0x1Fu};
  if (lead == 0xE0) return {2, 0xA0, 0xBF, 0};
  if (lead == 0xED) return {2, 0x80, 0x9F, 0x0D};
  if (lead >= 0xE1 && lead <= 0xEF) return {2, 0x80, 0xBF, lead & 0x0Fu};
  if (lead == 0xF0) return {3, 0x90, 0xBF, 0};
  if (lead == 0xF4) return {3, 0x80, 0x8F, 0x04};
  if (lead >= 0xF1 && lead <= 0xF3) return {3, 0x80, 0xBF, lead & 0x07u};
  return {0, 0, 0, 0};
}

// The position of the first byte from 0x80 on, at or after from; the size of
// the text when there is none. Eight bytes are tested at a time.
std::size_t NextHighByte(std::string_view text, std::size_t from) {
  constexpr uint64_t kHighBits = 0x8080808080808080u;
  std::size_t at = from;
  for (uint64_t word = 0; at + sizeof word <= text.size(); at += sizeof word) {
    std::memcpy(&word, text.data() + at, sizeof word);
    if ((word & kHighBits) != 0) break;
  }
  while (at < text.size() && static_cast<unsigned char>(text[at]) < 0x80) ++at;
  return at;
}

// The position of the first ill-formed piece at or after from; the size of the
// text when there is none. Runs of ASCII are passed over a word at a time.
std::size_t NextIllFormed(std::string_view text, std::size_t from) {
  std::size_t at = NextHighByte(text, from);
  while (at < text.size()) {
    const Utf8Char c = DecodeUtf8(text, at);
    if (c.codePoint == kIllFormed) return at;
    at = NextHighByte(text, at + c.length);
  }
  return at;
}

}  // namespace

Utf8Char DecodeUtf8(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) return {lead, 1};
  const LeadShape shape = ShapeOf(lead);
  if (shape.continuations == 0) return {kIllFormed, 1};
  // Take continuation bytes while they fit; a byte that does not fit is left
  // for the next character, so each maximal ill-formed subsequence is one piece.
  char32_t codePoint = shape.payload;
  std::size_t length = 1;
  for (int taken = 0; taken < shape.continuations; ++taken) {
    if (at + length == text.size()) return {kIllFormed, length};
    const auto next = static_cast<unsigned char>(text[at + length]);
    const bool fits = taken == 0 ? next >= shape.low && next <= shape.high : IsContinuation(next);
    if (!fits) return {kIllFormed, length};
    codePoint = (codePoint << 6) | (next & 0x3Fu);
    ++length;
  }
  return {codePoint, length};
}

std::size_t AsciiPrefixLength(std::string_view text) {
  return NextHighByte(text, 0);
}

char32_t FirstCharacter(std::string_view text) {
  return DecodeUtf8(text, 0).codePoint;
}

bool IsWellFormedUtf8(std::string_view text) {
  return NextIllFormed(text, 0) == text.size();
}

std::string WellFormedUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t copied = 0;
  for (std::size_t at = NextIllFormed(text, 0); at < text.size();
       at = NextIllFormed(text, copied)) {
    out.append(text.substr(copied, at - copied));
    out += '?';
    copied = at + DecodeUtf8(text, at).length;
  }
  out.append(text.substr(copied));
  return out;
}

// Every byte but a continuation byte starts a character.
std::size_t CharacterCount(std::string_view text) {
  return static_cast<std::size_t>(std::ranges::count_if(
      text, [](char c) { return !IsContinuation(static_cast<unsigned char>(c)); }));
}

void AppendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
    return;
  }
  if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
  }
  out += static_cast<char>(0x80 | (codePoint & 0x3F));
}

unsigned char Cp1250ByteOf(char32_t codePoint) {
  const auto* entry =
      std::ranges::lower_bound(kByCodePoint, codePoint, {}, &Cp1250Entry::codePoint);
  return entry != kByCodePoint.end() && entry->codePoint == codePoint ? entry->byte : 0;
}

// Conversion between UTF-8 and Windows-1250, the 8-bit character set of the model.
#include "model/Charset.h"

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

constexpr char kReplacement = '?';

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

void AppendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
  } else {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
  }
  out += static_cast<char>(0x80 | (codePoint & 0x3F));
}

// The position of the first byte from 0x80 on, at or after from; the size of
// the text when there is none. Eight bytes are tested at a time.
size_t NextHighByte(std::string_view text, size_t from) {
  constexpr uint64_t kHighBits = 0x8080808080808080u;
  size_t at = from;
  for (uint64_t word = 0; at + sizeof word <= text.size(); at += sizeof word) {
    std::memcpy(&word, text.data() + at, sizeof word);
    if ((word & kHighBits) != 0) break;
  }
  while (at < text.size() && static_cast<unsigned char>(text[at]) < 0x80) ++at;
  return at;
}

}  // namespace

std::string Utf8ToCp1250(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    ++i;
    if (lead < 0x80) {
      out += static_cast<char>(lead);
      continue;
    }
    const LeadShape shape = ShapeOf(lead);
    if (shape.continuations == 0) {
      out += kReplacement;
      continue;
    }
    // Consume continuation bytes while they fit; a byte that does not fit is
    // left for the next round, so each maximal ill-formed subsequence gives one "?".
    char32_t codePoint = shape.payload;
    int missing = shape.continuations;
    bool first = true;
    while (missing > 0 && i < utf8.size()) {
      const auto next = static_cast<unsigned char>(utf8[i]);
      const bool fits = first ? next >= shape.low && next <= shape.high : IsContinuation(next);
      if (!fits) break;
      codePoint = (codePoint << 6) | (next & 0x3Fu);
      --missing;
      first = false;
      ++i;
    }
    out += missing == 0 ? CodePointToCp1250(codePoint) : kReplacement;
  }
  return out;
}

std::string Cp1250ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendCp1250AsUtf8(out, text);
  return out;
}

// Runs of ASCII are copied whole: output text is nearly all ASCII.
void AppendCp1250AsUtf8(std::string& out, std::string_view text) {
  size_t copied = 0;
  for (size_t at = NextHighByte(text, 0); at < text.size(); at = NextHighByte(text, at + 1)) {
    const auto byte = static_cast<unsigned char>(text[at]);
    out.append(text.substr(copied, at - copied));
    copied = at + 1;
    const char32_t codePoint = kHighHalf[byte - 0x80];
    if (codePoint == 0) {
      out += kReplacement;
    } else {
      AppendUtf8(out, codePoint);
    }
  }
  out.append(text.substr(copied));
}

char CodePointToCp1250(int64_t codePoint) {
  if (codePoint >= 0 && codePoint < 0x80) return static_cast<char>(codePoint);
  if (codePoint < 0) return kReplacement;
  for (size_t index = 0; index < kHighHalf.size(); ++index) {
    if (kHighHalf[index] == codePoint) return static_cast<char>(0x80 + index);
  }
  return kReplacement;
}

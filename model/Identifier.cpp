// Deciding whether a text is an identifier, and turning free text into one.
#include "model/Identifier.h"

#include <array>
#include <cstddef>

#include "model/Charset.h"
#include "model/Error.h"
#include "model/Unicode.h"

namespace {

bool IsAsciiLetter(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsAsciiDigit(unsigned char c) {
  return c >= '0' && c <= '9';
}

// Blanks and every control character separate words.
bool IsGap(char32_t c) {
  return c <= 32;
}

// Windows-1250 letters that lose their accent, each group with its base letter.
struct AccentGroup {
  char base;
  std::array<unsigned char, 5> bytes;  // 0 ends a shorter group
};

constexpr AccentGroup kAccentGroups[] = {
    {'S', {138, 140, 170}},
    {'T', {141, 222}},
    {'Z', {142, 143, 175}},
    {'s', {154, 156, 186}},
    {'t', {157, 254}},
    {'z', {158, 159, 191}},
    {'L', {163, 188, 197}},
    {'l', {179, 190, 229}},
    {'A', {165, 193, 194, 195, 196}},
    {'a', {185, 225, 226, 227, 228}},
    {'R', {192, 216}},
    {'r', {224, 248}},
    {'C', {198, 199, 200}},
    {'c', {230, 231, 232}},
    {'E', {201, 202, 203, 204}},
    {'e', {233, 234, 235, 236}},
    {'I', {205, 206}},
    {'i', {237, 238}},
    {'D', {207, 208}},
    {'d', {239, 240}},
    {'N', {209, 210}},
    {'n', {241, 242}},
    {'O', {211, 212, 213, 214}},
    {'o', {243, 244, 245, 246}},
    {'U', {217, 218, 219, 220}},
    {'u', {249, 250, 251, 252}},
    {'Y', {221}},
    {'y', {253}},
};

// Letters, digits and "_" stay; accented letters become their base letter;
// everything else becomes "_".
std::array<char, 256> MakeConversionTable() {
  std::array<char, 256> table;
  for (std::size_t c = 0; c < table.size(); ++c) {
    auto byte = static_cast<unsigned char>(c);
    bool kept = IsAsciiLetter(byte) || IsAsciiDigit(byte) || byte == '_';
    table[c] = kept ? static_cast<char>(byte) : '_';
  }
  for (const AccentGroup& group : kAccentGroups) {
    for (unsigned char byte : group.bytes) {
      if (byte != 0) table[byte] = group.base;
    }
  }
  return table;
}

char Convert(unsigned char c) {
  static const std::array<char, 256> table = MakeConversionTable();
  return table[c];
}

// What a character that is neither a gap nor a mark belonging to the character
// before it becomes: ASCII and Windows-1250 by the table; other letters become the
// ASCII letter they are built on, or stay from U+0100 on; all else becomes "_".
char32_t Normalised(char32_t codePoint, CharKind kind) {
  // The table gives ASCII alone.
  if (codePoint < 0x80) return Convert(static_cast<unsigned char>(codePoint));
  const unsigned char byte = Cp1250ByteOf(codePoint);
  if (byte != 0) return Convert(byte);
  if (kind != CharKind::Letter && kind != CharKind::UppercaseLetter) return '_';
  const char base = AsciiBaseLetter(codePoint);
  if (base != 0) return base;
  return codePoint >= 0x100 ? codePoint : '_';
}

}  // namespace

bool IsIdentifier(const std::string& text) {
  if (text.empty()) throw GenericError("name is empty");
  auto first = static_cast<unsigned char>(text[0]);
  if (!IsAsciiLetter(first) && first != '_') return false;
  for (std::size_t i = 1; i < text.size(); ++i) {
    auto c = static_cast<unsigned char>(text[i]);
    if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '_') return false;
  }
  return true;
}

// A combining mark belongs to the character before it: it vanishes after one that
// gave output (or after a mark that vanished), and only stands for itself, as "_",
// at the start of a word.
std::string MakeIdentifier(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  bool afterGap = false;
  bool marksBelong = false;
  for (std::size_t at = 0; at < text.size();) {
    const Utf8Char c = DecodeUtf8(text, at);
    at += c.length;
    if (IsGap(c.codePoint)) {
      afterGap = true;
      marksBelong = false;
      continue;
    }
    const CharKind kind = KindOf(c.codePoint);
    if (kind == CharKind::Mark && marksBelong) continue;
    const char32_t converted = Normalised(c.codePoint, kind);
    AppendUtf8(result, afterGap ? SimpleUppercase(converted) : converted);
    afterGap = false;
    marksBelong = true;
  }
  return result;
}

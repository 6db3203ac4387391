// Looking up Unicode character properties in the generated tables.
#include "model/Unicode.h"

#include <algorithm>
#include <span>

#include "model/Charset.h"
#include "model/UnicodeTable.h"

namespace {

constexpr char32_t kMaxCodePoint = 0x10FFFF;

char32_t MappedBy(std::span<const CaseRun> runs, char32_t codePoint) {
  // The last run that starts at or before the code point is the only one that can hold it.
  const auto after = std::ranges::upper_bound(runs, codePoint, {}, &CaseRun::first);
  if (after == runs.begin()) return codePoint;
  const CaseRun& run = *(after - 1);
  if (codePoint > run.last || (codePoint - run.first) % run.step != 0) return codePoint;
  return static_cast<char32_t>(static_cast<int64_t>(codePoint) + run.delta);
}

bool IsAsciiUpper(char32_t c) {
  return c >= 'A' && c <= 'Z';
}

bool IsAsciiLower(char32_t c) {
  return c >= 'a' && c <= 'z';
}

// Names are nearly all ASCII, whose case mappings are ASCII too.
void MapFirst(std::string& text, char32_t (*map)(char32_t)) {
  if (text.empty()) return;
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) {
    text[0] = static_cast<char>(map(lead));
    return;
  }
  const Utf8Char first = DecodeUtf8(text, 0);
  if (first.codePoint == kIllFormed) return;
  std::string mapped;
  AppendUtf8(mapped, map(first.codePoint));
  text.replace(0, first.length, mapped);
}

}  // namespace

CharKind KindOf(char32_t codePoint) {
  if (IsAsciiUpper(codePoint)) return CharKind::UppercaseLetter;
  if (IsAsciiLower(codePoint)) return CharKind::Letter;
  if (codePoint < 0x80 || codePoint > kMaxCodePoint) return CharKind::Other;
  // Each entry is a run's first code point times 4 plus its kind; the run holding the
  // code point is the last entry not above the code point's largest key.
  const auto after = std::ranges::upper_bound(kKindRuns, codePoint * 4 + 3);
  return static_cast<CharKind>(*(after - 1) & 3);
}

char32_t SimpleUppercase(char32_t codePoint) {
  if (codePoint < 0x80) return IsAsciiLower(codePoint) ? codePoint - 'a' + 'A' : codePoint;
  return MappedBy(kUppercaseRuns, codePoint);
}

char32_t SimpleLowercase(char32_t codePoint) {
  if (codePoint < 0x80) return IsAsciiUpper(codePoint) ? codePoint - 'A' + 'a' : codePoint;
  return MappedBy(kLowercaseRuns, codePoint);
}

char AsciiBaseLetter(char32_t codePoint) {
  if (codePoint > kMaxCodePoint) return 0;
  const auto entry = std::ranges::lower_bound(kAsciiBases, codePoint * 256);
  if (entry == kAsciiBases.end() || *entry >> 8 != codePoint) return 0;
  return static_cast<char>(*entry & 0xFF);
}

void UppercaseFirst(std::string& text) {
  MapFirst(text, SimpleUppercase);
}

void LowercaseFirst(std::string& text) {
  MapFirst(text, SimpleLowercase);
}

// The Unicode character data behind model/Unicode.cpp, generated into UnicodeTable.cpp.
#pragma once

#include <cstdint>
#include <span>

// Runs of code points of one CharKind, each entry its first code point times 4 plus
// the kind; the first run starts at 0, and each run ends where the next one starts.
extern const std::span<const uint32_t> kKindRuns;

// The code points first, first + step, ... up to last map to themselves plus delta.
// The runs are in order and do not overlap.
struct CaseRun {
  uint32_t first;
  uint32_t last;
  int32_t delta;
  uint32_t step;
};
extern const std::span<const CaseRun> kUppercaseRuns;
extern const std::span<const CaseRun> kLowercaseRuns;

// The letters whose full canonical decomposition starts with an ASCII letter, in
// order, each entry the code point times 256 plus that letter.
extern const std::span<const uint32_t> kAsciiBases;

// SCRATCH placeholder until the real merge lands.
#include "tonel/LineMerge.h"
#include "tonel/Tokens.h"
MergedLines MergeLines(std::string_view base, std::string_view current, std::string_view next) {
  if (current == base) return {std::string(next), false};
  if (SameTokens(next, base)) return {std::string(current), false};
  return {std::string(current), true};
}

// SCRATCH placeholder until the real merge lands.
#pragma once
#include <string>
#include <string_view>
struct MergedLines {
  std::string text;
  bool conflict = false;
};
MergedLines MergeLines(std::string_view base, std::string_view current, std::string_view next);

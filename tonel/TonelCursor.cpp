// A reading position in the text of a class file.
#include "tonel/TonelCursor.h"

#include <algorithm>

#include "model/Error.h"
#include "tonel/Lexis.h"

bool TonelCursor::Take(char c) {
  if (AtEnd() || text_[at_] != c) return false;
  ++at_;
  return true;
}

void TonelCursor::SkipBlanks() {
  while (!AtEnd() && IsBlank(text_[at_])) ++at_;
}

// Lines are counted only here, once per failed read, so reading costs nothing for them.
void TonelCursor::FailAt(std::size_t at, const std::string& what) const {
  const std::string_view before = text_.substr(0, std::min(at, text_.size()));
  const auto line = std::count(before.begin(), before.end(), '\n') + 1;
  throw GenericError("line " + std::to_string(line) + ": " + what);
}

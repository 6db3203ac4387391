// Operation names that spell a Smalltalk selector: keywords or a binary selector.
#include "model/Selector.h"

namespace {

bool IsBlankByte(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

}  // namespace

bool IsKeywordList(std::string_view text) {
  if (text.empty() || text.back() != ':') return false;
  std::size_t run = 0;
  for (const char c : text) {
    if (c == ':') {
      if (run == 0) return false;
      run = 0;
    } else if (IsBlankByte(c) || c == '(' || c == ')') {
      return false;
    } else {
      ++run;
    }
  }
  return true;
}

std::vector<std::string_view> KeywordsOf(std::string_view text) {
  std::vector<std::string_view> keywords;
  for (std::size_t colon = text.find(':'); colon != std::string_view::npos;
       colon = text.find(':')) {
    keywords.push_back(text.substr(0, colon));
    text.remove_prefix(colon + 1);
  }
  return keywords;
}

bool IsBinarySelectorCharacter(char c) {
  return std::string_view("~!@%&*-+=\\|?/><,").find(c) != std::string_view::npos;
}

bool IsBinarySelector(std::string_view text) {
  if (text.empty()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!IsBinarySelectorCharacter(text[i]) || (i > 0 && text[i] == '-')) return false;
  }
  return true;
}

// SCRATCH placeholder until the real comparison lands.
#include "tonel/Tokens.h"
#include <string>
#include "tonel/Lexis.h"
namespace {
std::string Squeeze(std::string_view t) {
  std::string out;
  bool gap = false;
  for (char c : t) {
    if (IsBlank(c)) { gap = true; continue; }
    if (gap && !out.empty() && (std::isalnum(static_cast<unsigned char>(out.back())) && std::isalnum(static_cast<unsigned char>(c)))) out += ' ';
    gap = false;
    out += c;
  }
  return out;
}
}
bool SameTokens(std::string_view a, std::string_view b) { return Squeeze(a) == Squeeze(b); }

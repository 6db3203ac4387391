// Reading a text's line ends as LF, and putting them back.
#include "tonel/LineEnds.h"

#include <algorithm>

namespace {

// Calls found with where each line end that was no LF stands in the LF text, and
// whether it was a CR LF. A text with no carriage return, the common case, is not
// copied at all.
template <typename Found>
void MakeLf(std::string& text, Found found) {
  std::size_t to = text.find('\r');
  if (to == std::string::npos) return;
  for (std::size_t from = to; from < text.size(); ++from) {
    if (text[from] != '\r') {
      text[to++] = text[from];
      continue;
    }
    const bool pair = from + 1 < text.size() && text[from + 1] == '\n';
    found(to, pair);
    text[to++] = '\n';
    if (pair) ++from;
  }
  text.resize(to);
}

}  // namespace

void ToLfLineEnds(std::string& text) {
  MakeLf(text, [](std::size_t, bool) {});
}

LineEnds LineEnds::MadeLf(std::string& text) {
  LineEnds ends;
  MakeLf(text,
         [&ends](std::size_t at, bool pair) { (pair ? ends.crlf_ : ends.cr_).push_back(at); });
  if (ends.crlf_.empty() && ends.cr_.empty()) return ends;
  const std::size_t pairs = ends.crlf_.size(), lone = ends.cr_.size();
  const std::size_t lf =
      static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) - pairs - lone;
  // On a tie the simpler line end.
  if (pairs > lf && pairs >= lone) ends.usual_ = "\r\n";
  if (lone > lf && lone > pairs) ends.usual_ = "\r";
  return ends;
}

void LineEnds::AppendAsWas(std::string& out, std::string_view lf, std::size_t begin,
                           std::size_t end) const {
  auto pair = std::lower_bound(crlf_.begin(), crlf_.end(), begin);
  auto lone = std::lower_bound(cr_.begin(), cr_.end(), begin);
  std::size_t at = begin;
  while (true) {
    const std::size_t nextPair = pair != crlf_.end() ? *pair : end;
    const std::size_t nextLone = lone != cr_.end() ? *lone : end;
    const std::size_t next = std::min({nextPair, nextLone, end});
    out.append(lf.substr(at, next - at));
    if (next == end) return;
    if (next == nextPair) {
      out += "\r\n";
      ++pair;
    } else {
      out += '\r';
      ++lone;
    }
    at = next + 1;
  }
}

void LineEnds::AppendNew(std::string& out, std::string_view lf) const {
  if (usual_ == "\n") {
    out += lf;
    return;
  }
  for (std::size_t at = 0;;) {
    const std::size_t next = lf.find('\n', at);
    if (next == std::string_view::npos) {
      out.append(lf.substr(at));
      return;
    }
    out.append(lf.substr(at, next - at));
    out += usual_;
    at = next + 1;
  }
}

// A text's line ends: read as LF, as Smalltalk source is held, and put back as the text
// had them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Every CR LF and every lone CR of the text as LF: Pharo reads each kind as a line end.
void ToLfLineEnds(std::string& text);

// Where a text read with LF line ends had others: what stays of the text is written
// back byte for byte, and what is new takes the line end that most of its lines have.
class LineEnds {
 public:
  // The text's line ends made LF, as ToLfLineEnds does, and what each was.
  static LineEnds MadeLf(std::string& text);

  // Bytes [begin, end) of the LF text, with the line ends that they had.
  void AppendAsWas(std::string& out, std::string_view lf, std::size_t begin, std::size_t end) const;
  // New text with LF line ends, with the text's usual line end instead.
  void AppendNew(std::string& out, std::string_view lf) const;

 private:
  std::vector<std::size_t> crlf_;  // where the LFs stand that were a CR LF
  std::vector<std::size_t> cr_;    // where those stand that were a lone CR
  std::string_view usual_ = "\n";
};

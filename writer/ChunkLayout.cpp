// The chunk layout: classes as chunks that a Smalltalk image files in.
#include "writer/ChunkLayout.h"

#include <algorithm>

#include "writer/Output.h"

namespace {

// Appends the text with CR LF line ends and every byte of `doubled` written
// twice. Most texts hold none of those bytes, and then only their lines are
// searched for, which the library does much faster than a test of every byte.
void AppendEscaped(std::string& out, std::string_view text, std::string_view doubled) {
  const bool plain = std::none_of(doubled.begin(), doubled.end(),
                                  [&](char c) { return text.find(c) != std::string_view::npos; });
  std::size_t start = 0;
  if (plain) {
    for (std::size_t end = text.find('\n'); end != std::string_view::npos;
         end = text.find('\n', start)) {
      out.append(text, start, end - start);
      out += "\r\n";
      start = end + 1;
    }
  } else {
    for (std::size_t at = 0; at < text.size(); ++at) {
      const char c = text[at];
      if (c != '\n' && doubled.find(c) == std::string_view::npos) continue;
      out.append(text, start, at + 1 - start);
      out.back() = c == '\n' ? '\r' : c;
      out += c;
      start = at + 1;
    }
  }
  out.append(text, start);
}

void AppendVariableNames(std::string& out, const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    out += name;
    out += ' ';
  }
}

}  // namespace

void AppendChunkText(std::string& out, std::string_view text) {
  AppendEscaped(out, text, "!");
}

void ChunkLayout::Flush() {
  out_.Take(laidOut_);
  laidOut_.clear();
}

void ChunkLayout::FlushBlock() {
  // As large as the output file's own buffer, which then hands such a block
  // to the file as it is instead of copying it.
  constexpr std::size_t kBlockSize = 1 << 16;
  if (laidOut_.size() >= kBlockSize) Flush();
}

void ChunkLayout::Note(std::string_view note) {
  if (note.empty()) return;
  AppendChunkText(laidOut_, note);
  laidOut_ += "\r\n\r\n";
  FlushBlock();
}

void ChunkLayout::Definition(const ClassDefinition& definition) {
  className_ = definition.name;
  laidOut_ += definition.superclass;
  laidOut_ += " subclass: #";
  laidOut_ += definition.name;
  laidOut_ += "\r\n  instanceVariableNames: '";
  AppendVariableNames(laidOut_, definition.instanceVariables);
  laidOut_ += "'\r\n  classVariableNames: '";
  AppendVariableNames(laidOut_, definition.classVariables);
  laidOut_ += "'\r\n  poolDictionaries: ''\r\n  category: '";
  // In a string literal a quote is written twice.
  AppendEscaped(laidOut_, CategoryName(), "!'");
  laidOut_ += "'!\r\n\r\n";
  if (!definition.classInstanceVariables.empty()) {
    laidOut_ += definition.name;
    laidOut_ += " class instanceVariableNames: '";
    AppendVariableNames(laidOut_, definition.classInstanceVariables);
    laidOut_ += "'!\r\n\r\n";
  }
  FlushBlock();
  RenewStampSuffix();
}

void ChunkLayout::BeginComment() {
  inComment_ = true;
  laidOut_ += className_;
  laidOut_ += " comment:\r\n'";
}

// Current Pharo reads exactly one method after each protocol header, so every
// method gets a section of its own.
void ChunkLayout::BeginMethod(bool classSide, const std::string& protocol) {
  inComment_ = false;
  laidOut_ += '!';
  laidOut_ += className_;
  laidOut_ += classSide ? " class methodsFor: '" : " methodsFor: '";
  laidOut_ += protocol;
  laidOut_ += StampSuffix();
  laidOut_ += "\r\n\r\n";
}

void ChunkLayout::Take(std::string_view text) {
  AppendEscaped(laidOut_, text, inComment_ ? "!'" : "!");
  FlushBlock();
}

void ChunkLayout::End() {
  laidOut_ += inComment_ ? "'!\r\n\r\n" : "! !\r\n\r\n";
  FlushBlock();
}

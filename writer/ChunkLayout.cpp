// The chunk layout: classes as chunks that a Smalltalk image files in.
#include "writer/ChunkLayout.h"

#include <algorithm>
#include <cstring>

#include "writer/Output.h"

namespace {

// Appends the text with CR LF line ends and every byte of `doubled` written
// twice. Most texts hold none of those bytes, and then only their lines are
// searched for, which the library does much faster than a test of every byte.
// The output is written in place, in room made for the longest it can be and
// then cut to what it took, since a text has many short lines.
void AppendEscaped(std::string& out, std::string_view text, std::string_view doubled) {
  if (text.empty()) return;
  const bool plain = std::none_of(doubled.begin(), doubled.end(),
                                  [&](char c) { return text.find(c) != std::string_view::npos; });
  const std::size_t before = out.size();
  out.resize(before + 2 * text.size());
  char* to = out.data() + before;
  const char* from = text.data();
  const char* const end = from + text.size();
  if (plain) {
    while (const void* found = std::memchr(from, '\n', static_cast<std::size_t>(end - from))) {
      const auto length = static_cast<std::size_t>(static_cast<const char*>(found) - from);
      std::memcpy(to, from, length);
      to += length;
      *to++ = '\r';
      *to++ = '\n';
      from += length + 1;
    }
  } else {
    for (; from != end; ++from) {
      const char c = *from;
      if (c == '\n') {
        *to++ = '\r';
      } else if (doubled.find(c) != std::string_view::npos) {
        *to++ = c;
      }
      *to++ = c;
    }
  }
  const auto rest = static_cast<std::size_t>(end - from);
  std::memcpy(to, from, rest);
  out.resize(static_cast<std::size_t>(to + rest - out.data()));
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

ChunkLayout::ChunkLayout(TextSink& out) : out_(out) {
  StartStamps();
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
  // Assigned in place, so that their storage is reused from class to class.
  instanceHeader_.assign(1, '!').append(className_).append(" methodsFor: '");
  classHeader_.assign(1, '!').append(className_).append(" class methodsFor: '");
  headerEnd_.assign(StampSuffix()).append("\r\n\r\n");
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
  laidOut_ += classSide ? classHeader_ : instanceHeader_;
  laidOut_ += protocol;
  laidOut_ += headerEnd_;
}

void ChunkLayout::Take(std::string_view text) {
  AppendEscaped(laidOut_, text, inComment_ ? std::string_view("!'") : std::string_view("!"));
  FlushBlock();
}

void ChunkLayout::End() {
  laidOut_ += inComment_ ? std::string_view("'!\r\n\r\n") : std::string_view("! !\r\n\r\n");
  FlushBlock();
}

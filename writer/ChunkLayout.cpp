// The chunk layout: classes as chunks that a Smalltalk image files in.
#include "writer/ChunkLayout.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// Writes the text at `to` with CR LF line ends and every byte of `doubled`
// written twice, and answers where it ends; there must be room for twice the
// text. Most texts hold none of those bytes, and then only their lines are
// searched for, which the library does much faster than a test of every byte.
char* WriteEscaped(char* to, std::string_view text, std::string_view doubled) {
  if (text.empty()) return to;
  const bool plain = std::none_of(doubled.begin(), doubled.end(),
                                  [&](char c) { return text.find(c) != std::string_view::npos; });
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
  return to + rest;
}

void AppendEscaped(ByteBuffer& out, std::string_view text, std::string_view doubled) {
  out.Commit(WriteEscaped(out.Room(2 * text.size()), text, doubled));
}

void AppendVariableNames(ByteBuffer& out, const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    out.Append(name);
    out.Append(" ");
  }
}

}  // namespace

void AppendChunkText(std::string& out, std::string_view text) {
  const std::size_t before = out.size();
  out.resize(before + 2 * text.size());
  out.resize(static_cast<std::size_t>(WriteEscaped(out.data() + before, text, "!") - out.data()));
}

ChunkLayout::ChunkLayout(TextSink& out, std::string categoryName)
    : out_(out), CategoryName(std::move(categoryName)) {}

void ChunkLayout::Flush() {
  out_.Take(laidOut_.View());
  laidOut_.Clear();
}

void ChunkLayout::FlushBlock() {
  // As large as the output file's own buffer, which then hands such a block
  // to the file as it is instead of copying it.
  constexpr std::size_t kBlockSize = 1 << 16;
  if (laidOut_.Size() >= kBlockSize) Flush();
}

void ChunkLayout::Note(std::string_view note) {
  if (note.empty()) return;
  AppendEscaped(laidOut_, note, "!");
  laidOut_.Append("\r\n\r\n");
  FlushBlock();
}

void ChunkLayout::Definition(const ClassDefinition& definition) {
  className_ = definition.name;
  laidOut_.Append(definition.superclass);
  laidOut_.Append(" subclass: #");
  laidOut_.Append(definition.name);
  laidOut_.Append("\r\n  instanceVariableNames: '");
  AppendVariableNames(laidOut_, definition.instanceVariables);
  laidOut_.Append("'\r\n  classVariableNames: '");
  AppendVariableNames(laidOut_, definition.classVariables);
  laidOut_.Append("'\r\n  poolDictionaries: ''\r\n  category: '");
  // In a string literal a quote is written twice.
  AppendEscaped(laidOut_, CategoryName, "!'");
  laidOut_.Append("'!\r\n\r\n");
  if (!definition.classInstanceVariables.empty()) {
    laidOut_.Append(definition.name);
    laidOut_.Append(" class instanceVariableNames: '");
    AppendVariableNames(laidOut_, definition.classInstanceVariables);
    laidOut_.Append("'!\r\n\r\n");
  }
  FlushBlock();
  stamps_.RenewStampSuffix();
  // Assigned in place, so that their storage is reused from class to class.
  instanceHeader_.assign(1, '!').append(className_).append(" methodsFor: '");
  classHeader_.assign(1, '!').append(className_).append(" class methodsFor: '");
  headerEnd_.assign(stamps_.StampSuffix()).append("\r\n\r\n");
}

void ChunkLayout::BeginComment() {
  inComment_ = true;
  laidOut_.Append(className_);
  laidOut_.Append(" comment:\r\n'");
}

// Current Pharo reads exactly one method after each protocol header, so every
// method gets a section of its own.
void ChunkLayout::BeginMethod(bool classSide, const std::string& protocol) {
  inComment_ = false;
  laidOut_.Append(classSide ? classHeader_ : instanceHeader_);
  laidOut_.Append(protocol);
  laidOut_.Append(headerEnd_);
}

void ChunkLayout::Take(std::string_view text) {
  AppendEscaped(laidOut_, text, inComment_ ? std::string_view("!'") : std::string_view("!"));
  FlushBlock();
}

void ChunkLayout::End() {
  laidOut_.Append(inComment_ ? std::string_view("'!\r\n\r\n") : std::string_view("! !\r\n\r\n"));
  FlushBlock();
}

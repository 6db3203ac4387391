// The chunk layout: class texts as chunks that a Smalltalk image files in.
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

void AppendDefinition(std::string& out, const ClassText& text) {
  out += text.superclass;
  out += " subclass: #";
  out += text.name;
  out += "\r\n  instanceVariableNames: '";
  AppendVariableNames(out, text.instanceVariables);
  out += "'\r\n  classVariableNames: '";
  AppendVariableNames(out, text.classVariables);
  out += "'\r\n  poolDictionaries: ''\r\n  category: '";
  // In a string literal a quote is written twice.
  AppendEscaped(out, CategoryName(), "!'");
  out += "'!\r\n\r\n";
  if (text.classInstanceVariables.empty()) return;
  out += text.name;
  out += " class instanceVariableNames: '";
  AppendVariableNames(out, text.classInstanceVariables);
  out += "'!\r\n\r\n";
}

void AppendComment(std::string& out, const ClassText& text) {
  out += text.name;
  out += " comment:\r\n'";
  AppendEscaped(out, text.comment, "!'");
  out += "'!\r\n\r\n";
}

}  // namespace

void AppendChunkText(std::string& out, std::string_view text) {
  AppendEscaped(out, text, "!");
}

// Current Pharo reads exactly one method after each protocol header, so every
// method gets a section of its own.
void AppendChunkMethod(std::string& out, const std::string& className, const MethodText& method) {
  out += '!';
  out += className;
  out += method.classSide ? " class methodsFor: '" : " methodsFor: '";
  out += method.protocol;
  out += StampSuffix();
  out += "\r\n\r\n";
  AppendChunkText(out, method.source);
  out += "! !\r\n\r\n";
}

void AppendChunkClass(std::string& out, const ClassText& text) {
  if (!text.declared) {
    if (text.note.empty()) return;
    AppendChunkText(out, text.note);
    out += "\r\n\r\n";
    return;
  }
  AppendDefinition(out, text);
  AppendComment(out, text);
  RenewStampSuffix();
  for (const MethodText& method : text.methods) AppendChunkMethod(out, text.name, method);
}

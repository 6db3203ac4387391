// The chunk layout: class texts as chunks that a Smalltalk image files in.
#include "writer/ChunkLayout.h"

#include "writer/Output.h"

namespace {

// Within a string literal a quote is written twice.
std::string WithQuotesDoubled(std::string_view text) {
  std::string literal;
  literal.reserve(text.size());
  for (char c : text) {
    literal += c;
    if (c == '\'') literal += c;
  }
  return literal;
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
  AppendChunkText(out, WithQuotesDoubled(CategoryName()));
  out += "'!\r\n\r\n";
}

void AppendComment(std::string& out, const ClassText& text) {
  out += text.name;
  out += " comment:\r\n'";
  AppendChunkText(out, WithQuotesDoubled(text.comment));
  out += "'!\r\n\r\n";
}

}  // namespace

void AppendChunkText(std::string& out, std::string_view text) {
  for (std::size_t at = text.find_first_of("\n!"); at != std::string_view::npos;
       at = text.find_first_of("\n!")) {
    out.append(text.substr(0, at));
    out += text[at] == '\n' ? "\r\n" : "!!";
    text.remove_prefix(at + 1);
  }
  out.append(text);
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

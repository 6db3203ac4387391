// The Tonel layout: a class file's text as Pharo's Tonel writer lays it out.
#include "tonel/TonelLayout.h"

#include <algorithm>

#include "tonel/Pattern.h"

namespace {

void AppendEntry(std::string& out, std::string_view key, std::string_view value) {
  out += "\t#";
  out += key;
  out += " : ";
  out += value;
  out += ",\n";
}

void AppendList(std::string& out, std::string_view key, const std::vector<std::string>& names) {
  if (names.empty()) return;
  std::string list = "[\n";
  for (std::size_t i = 0; i < names.size(); ++i) {
    list += "\t\t";
    list += StonString(names[i]);
    list += i + 1 < names.size() ? ",\n" : "\n";
  }
  list += "\t]";
  AppendEntry(out, key, list);
}

void AppendDefinition(std::string& out, const TonelClass& cls) {
  out += cls.kind;
  out += " {\n";
  AppendEntry(out, "name", StonString(cls.name));
  AppendEntry(out, "superclass", StonString(cls.superclass));
  AppendList(out, "instVars", cls.instVars);
  AppendList(out, "classVars", cls.classVars);
  AppendList(out, "classInstVars", cls.classInstVars);
  for (const auto& [key, value] : cls.otherEntries) AppendEntry(out, key, value);
  AppendEntry(out, "category", StonString(cls.category));
  AppendEntry(out, "package", StonString(cls.package));
  out.erase(out.size() - 2, 1);  // the last entry has no comma
  out += "}\n";
}

void AppendMethod(std::string& out, const std::string& className, const TonelMethod& method) {
  out += '\n';
  AppendMethodText(out, className, method);
  out += '\n';
}

// Room for the whole text at once: a class may be many megabytes, and growing by
// doubling would hold up to twice that.
std::size_t TextSize(const TonelClass& cls) {
  std::size_t size = cls.comment.size() + 256;
  for (const auto* list : {&cls.instVars, &cls.classVars, &cls.classInstVars})
    for (const std::string& name : *list) size += name.size() + 6;
  for (const auto& [key, value] : cls.otherEntries) size += key.size() + value.size() + 8;
  for (const TonelMethod& method : cls.methods)
    size += method.source.size() + method.category.size() + cls.name.size() + 40;
  return size;
}

}  // namespace

// The pattern stands before " [", and the rest of the method's text after it,
// as Pharo's reader joins them again.
void AppendMethodText(std::string& out, const std::string& className, const TonelMethod& method) {
  const std::size_t patternLength = SplitPattern(method.source).length;
  out += "{ #category : ";
  out += StonString(method.category);
  out += " }\n";
  out += className;
  out += method.classSide ? " class >> " : " >> ";
  out.append(method.source, 0, patternLength);
  out += " [";
  out.append(method.source, patternLength);
  out += "\n]";
}

bool WrittenBefore(const TonelMethod& a, const TonelMethod& b) {
  if (a.classSide != b.classSide) return a.classSide;
  return a.selector < b.selector;
}

// A carriage return is escaped too: the reader takes a bare one for a line end.
std::string StonString(std::string_view text) {
  std::string ston = "'";
  for (char c : text) {
    if (c == '\r') {
      ston += "\\r";
      continue;
    }
    if (c == '\\' || c == '\'') ston += '\\';
    ston += c;
  }
  ston += '\'';
  return ston;
}

std::string TonelComment(std::string_view comment) {
  if (comment.empty()) return "";
  std::string text = "\"\n";
  for (char c : comment) {
    text += c;
    if (c == '"') text += c;
  }
  text += "\n\"\n";
  return text;
}

std::string TonelClassText(const TonelClass& cls) {
  std::string out;
  out.reserve(TextSize(cls));
  out += TonelComment(cls.comment);
  AppendDefinition(out, cls);
  std::vector<const TonelMethod*> methods;
  methods.reserve(cls.methods.size());
  for (const TonelMethod& method : cls.methods) methods.push_back(&method);
  std::stable_sort(methods.begin(), methods.end(), [](const TonelMethod* a, const TonelMethod* b) {
    return WrittenBefore(*a, *b);
  });
  for (const TonelMethod* method : methods) AppendMethod(out, cls.name, *method);
  return out;
}

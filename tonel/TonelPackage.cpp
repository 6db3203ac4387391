// The diagram's classes as a Tonel package: one class per declared class name.
#include "tonel/TonelPackage.h"

#include <unordered_map>

#include "tonel/Lexis.h"
#include "tonel/Pattern.h"
#include "writer/ClassOrder.h"
#include "writer/ClassWriter.h"
#include "writer/Notes.h"
#include "writer/Output.h"

namespace {

void AddLines(std::vector<std::string>& lines, std::string_view text) {
  for (std::size_t end = text.find('\n'); end != std::string_view::npos; end = text.find('\n')) {
    lines.emplace_back(text.substr(0, end));
    text.remove_prefix(end + 1);
  }
  if (!text.empty()) lines.emplace_back(text);
}

// Adds the method, or replaces the one of the same side and selector, as a
// later definition replaces an earlier one in the image.
void Define(TonelClass& cls, TonelMethod method) {
  for (TonelMethod& known : cls.methods) {
    if (known.classSide == method.classSide && known.selector == method.selector) {
      known = std::move(method);
      return;
    }
  }
  cls.methods.push_back(std::move(method));
}

// Takes the definition and comment of the class text into cls, and adds its methods. A
// carriage return that the diagram's text brought in (&#13;) is a line end to Pharo, and
// a class file has LF alone.
void Redefine(TonelClass& cls, ClassText text, const std::string& package) {
  cls.name = std::move(text.name);
  cls.superclass = std::move(text.superclass);
  cls.instVars = std::move(text.instanceVariables);
  cls.classVars = std::move(text.classVariables);
  cls.classInstVars = std::move(text.classInstanceVariables);
  cls.comment = WithLfLineEnds(text.comment);
  cls.category = package;
  cls.package = package;
  for (MethodText& method : text.methods) {
    std::string source = WithLfLineEnds(method.source);
    std::string selector = SplitPattern(source).selector;
    Define(cls,
           {method.classSide, std::move(method.protocol), std::move(selector), std::move(source)});
  }
}

}  // namespace

TonelPackage ComposeTonelPackage(const std::string& name, const PElemTable& classes,
                                 const PElemTable& relations, const PElemTable& others) {
  SetCategoryName(name);
  TonelPackage package{name, {}, {}};
  AddLines(package.notes, ComposeNotes(relations, others));
  std::unordered_map<std::string, std::size_t> place;
  for (const PElement& element : ClassOrder(classes)) {
    ClassText text = ComposeClass(element, classes);
    if (!text.declared) {
      AddLines(package.notes, text.note);
      continue;
    }
    auto [found, added] = place.try_emplace(text.name, package.classes.size());
    if (added) package.classes.emplace_back();
    Redefine(package.classes[found->second], std::move(text), name);
  }
  return package;
}

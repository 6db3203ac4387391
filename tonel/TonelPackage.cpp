// The diagram's classes as a Tonel package: one class per declared class name.
#include "tonel/TonelPackage.h"

#include <unordered_map>

#include "model/Error.h"
#include "tonel/Lexis.h"
#include "tonel/Pattern.h"
#include "writer/ClassOrder.h"
#include "writer/ClassWriter.h"
#include "writer/Naming.h"
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
    std::string source = TonelMethodSource(WithLfLineEnds(method.source));
    std::string selector = SplitPattern(source).selector;
    Define(cls,
           {method.classSide, std::move(method.protocol), std::move(selector), std::move(source)});
  }
}

// The class name that composing gives the element; none for an element that composing
// refuses, which raises its error then.
std::string NameOf(const PElement& element) {
  try {
    return StClassName(ToClassType(element));
  } catch (const PlimkoError&) {
    return "";
  }
}

}  // namespace

TonelPackage ComposeTonelPackage(const std::string& name, const PElemTable& classes,
                                 const PElemTable& relations, const PElemTable& others) {
  SetCategoryName(name);
  TonelPackage package{name, {}, {}};
  AddLines(package.notes, ComposeNotes(relations, others));
  package.composeClasses = [name, classes](const ClassSink& sink, std::vector<std::string>& notes) {
    const std::vector<PElement> order = ClassOrder(classes);
    // A name drawn once is written as soon as it is composed; one drawn more often
    // waits for its last definition.
    std::unordered_map<std::string, int> left;
    for (const PElement& element : order) ++left[NameOf(element)];
    std::unordered_map<std::string, TonelClass> pending;
    std::vector<std::string> firstPlaces;  // of the names that wait
    for (const PElement& element : order) {
      ClassText text = ComposeClass(element, classes);
      if (!text.declared) {
        AddLines(notes, text.note);
        continue;
      }
      const std::string className = text.name;
      auto [found, added] = pending.try_emplace(className);
      Redefine(found->second, std::move(text), name);
      if (--left[className] > 0) {
        if (added) firstPlaces.push_back(className);
        continue;
      }
      sink(found->second);
      pending.erase(found);
    }
    // Names whose other drawings give no class (an interface of the same name).
    for (const std::string& className : firstPlaces) {
      const auto found = pending.find(className);
      if (found != pending.end()) sink(found->second);
    }
  };
  return package;
}

void ComposeAllClasses(TonelPackage& package) {
  if (!package.composeClasses) return;
  package.composeClasses([&](const TonelClass& cls) { package.classes.push_back(cls); },
                         package.notes);
  package.composeClasses = nullptr;
}

// The diagram's classes as a Tonel package: one class per declared class name.
#include "tonel/TonelPackage.h"

#include <unordered_map>

#include "model/Error.h"
#include "tonel/TonelCollector.h"
#include "writer/ClassOrder.h"
#include "writer/ClassWriter.h"
#include "writer/Hierarchy.h"
#include "writer/Naming.h"
#include "writer/Notes.h"

namespace {

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
  TonelPackage package{name};
  AddLines(package.notes, ComposeNotes(relations, others));
  package.composeClasses = [name, classes](ClassSink& sink, std::vector<std::string>& notes) {
    const Hierarchy hierarchy(classes);
    ClassWriter writer(hierarchy);
    const std::vector<PElement> order = ClassOrder(hierarchy);
    // A name drawn once is written as soon as it is composed; one drawn more often
    // waits for its last definition.
    std::unordered_map<std::string, int> left;
    for (const PElement& element : order) ++left[NameOf(element)];
    std::unordered_map<std::string, TonelClass> pending;
    std::vector<std::string> firstPlaces;  // of the names that wait
    for (const PElement& element : order) {
      const std::string className = NameOf(element);
      auto [found, added] = pending.try_emplace(className);
      // Only a class drawn once is whole when its comment is composed.
      const bool once = added && left[className] == 1;
      TonelCollector collector(found->second, notes, name, once ? &sink : nullptr);
      writer.WriteClass(element, collector);
      if (!collector.Declared()) {
        if (added) pending.erase(found);
        continue;
      }
      if (--left[className] > 0) {
        if (added) firstPlaces.push_back(className);
        continue;
      }
      // The second pass of a class whose comment went straight to the sink: composed
      // again, comment and all, only where the sink must merge it, so that the comment
      // of a class left as it was is never held. Its notes came with the first pass.
      const auto whole = [&] {
        TonelClass cls;
        std::vector<std::string> again;
        TonelCollector collector(cls, again, name);
        writer.WriteClass(element, collector);
        return cls;
      };
      sink.Take(found->second, once ? std::function<TonelClass()>(whole) : nullptr);
      pending.erase(found);
    }
    // Names whose other drawings give no class (an interface of the same name).
    for (const std::string& className : firstPlaces) {
      const auto found = pending.find(className);
      if (found != pending.end()) sink.Take(found->second, nullptr);
    }
  };
  return package;
}

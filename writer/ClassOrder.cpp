// The order in which the file writer writes the classes.
#include "writer/ClassOrder.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "model/ElemList.h"
#include "model/ElemType.h"
#include "writer/Predefined.h"

namespace {

// For each class, the classes of the table that depend on it, once per
// relation, and for each class the number of those relations: a class becomes
// ready when the count falls to zero. A dependency on a class outside the table
// is never met. The dependents of all classes are in one list, those of class
// i from first[i] up to first[i + 1], rather than in a list for each class.
struct Dependencies {
  std::vector<std::size_t> first;
  std::vector<std::size_t> dependents;
  std::vector<std::size_t> unmet;

  std::span<const std::size_t> Of(std::size_t i) const {
    return std::span(dependents).subspan(first[i], first[i + 1] - first[i]);
  }
};

// The place in the table of each class, the first where it is there twice; found
// through the class's place among the table's distinct classes, which the class
// keeps, rather than by a lookup of its address.
class Places {
 public:
  Places(const ElemList& classes, const Hierarchy& hierarchy) : hierarchy_(hierarchy) {
    for (std::size_t i = 0; i < classes.size(); ++i) {
      // The distinct classes are counted in table order: a class met first is the next.
      if (hierarchy.ClassPlaceIn(ToClassType(classes[i])) == first_.size()) first_.push_back(i);
    }
  }
  // The class's place in the table, or none for a class that is not in it.
  std::optional<std::size_t> Of(const PClassType& cls) const {
    const std::size_t distinct = hierarchy_.ClassPlaceIn(cls);
    if (distinct >= first_.size()) return std::nullopt;
    return first_[distinct];
  }

 private:
  const Hierarchy& hierarchy_;
  std::vector<std::size_t> first_;
};

Dependencies DependenciesOf(const ElemList& classes, const Places& place) {
  Dependencies deps{std::vector<std::size_t>(classes.size() + 1, 0),
                    {},
                    std::vector<std::size_t>(classes.size(), 0)};
  // Each dependency as (the class depended on, the dependent), in the order found.
  std::vector<std::pair<std::size_t, std::size_t>> found;
  for (std::size_t i = 0; i < classes.size(); ++i) {
    // A class defined elsewhere is there already: it waits for none.
    if (IsExternal(ToClassType(classes[i]))) continue;
    const IElement* self = classes[i]->GetSelf();
    for (const PElement& element : ElementsOf(ToClassType(classes[i])->GetRelations())) {
      PRelType relation = ToRelType(element);
      PClassType from = relation->GetClass1();
      PClassType to = relation->GetClass2();
      if (!from || from->GetSelf() != self || !to || to->GetSelf() == self) continue;
      ++deps.unmet[i];
      if (const auto at = place.Of(to)) found.emplace_back(*at, i);
    }
  }
  for (const auto& [on, dependent] : found) ++deps.first[on + 1];
  for (std::size_t i = 0; i < classes.size(); ++i) deps.first[i + 1] += deps.first[i];
  deps.dependents.resize(found.size());
  std::vector<std::size_t> next(deps.first.begin(), deps.first.end() - 1);
  for (const auto& [on, dependent] : found) deps.dependents[next[on]++] = dependent;
  return deps;
}

// The classes that no pass took come in table order, except that a class whose
// written superclass is still to come waits for it and follows right after it,
// and so in turn do the classes that wait for it, so that Smalltalk knows each
// superclass before its subclasses. Classes whose superclasses lead round in a
// circle wait to the end and come in table order.
void AppendWaitingClasses(const ElemList& classes, const Places& place, const Hierarchy& hierarchy,
                          std::vector<bool>& placed, std::vector<PElement>& order) {
  std::vector<std::vector<std::size_t>> waiting(classes.size());
  // Written without recursion, so that no chain of subclasses sets the depth of
  // the stack.
  std::vector<std::size_t> next;
  for (std::size_t i = 0; i < classes.size(); ++i) {
    if (placed[i]) continue;
    const PClassType superclass = hierarchy.WrittenSuperclass(ToClassType(classes[i]));
    const auto found = superclass ? place.Of(superclass) : std::nullopt;
    if (found && !placed[*found]) {
      waiting[*found].push_back(i);
      continue;
    }
    next.push_back(i);
    while (!next.empty()) {
      const std::size_t written = next.back();
      next.pop_back();
      order.push_back(classes[written]);
      placed[written] = true;
      next.insert(next.end(), waiting[written].rbegin(), waiting[written].rend());
    }
  }
  for (std::size_t i = 0; i < classes.size(); ++i) {
    if (!placed[i]) order.push_back(classes[i]);
  }
}

}  // namespace

std::vector<PElement> ClassOrder(const Hierarchy& hierarchy) {
  const ElemList classes = ElementsOf(hierarchy.Classes());
  const Places place(classes, hierarchy);
  Dependencies deps = DependenciesOf(classes, place);
  std::vector<PElement> order;
  order.reserve(classes.size());
  std::vector<bool> placed(classes.size(), false);

  std::vector<std::size_t> pass;
  for (std::size_t i = 0; i < classes.size(); ++i) {
    if (deps.unmet[i] == 0) pass.push_back(i);
  }
  // A class joins the pass after the one that holds the last of its dependencies.
  while (!pass.empty()) {
    std::vector<std::size_t> next;
    for (std::size_t i : pass) {
      order.push_back(classes[i]);
      placed[i] = true;
      for (std::size_t dependent : deps.Of(i)) {
        if (--deps.unmet[dependent] == 0) next.push_back(dependent);
      }
    }
    std::sort(next.begin(), next.end());
    pass = std::move(next);
  }
  AppendWaitingClasses(classes, place, hierarchy, placed, order);
  return order;
}

// The order in which the file writer writes the classes.
#include "writer/ClassOrder.h"

#include <algorithm>
#include <cstddef>
#include <unordered_map>

#include "model/ElemList.h"
#include "model/ElemType.h"

namespace {

// For each class, the classes of the table that depend on it, once per
// relation, and for each class the number of those relations: a class becomes
// ready when the count falls to zero. A dependency on a class outside the table
// is never met.
struct Dependencies {
  std::vector<std::vector<std::size_t>> dependents;
  std::vector<std::size_t> unmet;
};

Dependencies DependenciesOf(const ElemList& classes) {
  std::unordered_map<const IElement*, std::size_t> place;
  for (std::size_t i = 0; i < classes.size(); ++i) place.emplace(classes[i]->GetSelf(), i);

  Dependencies deps{std::vector<std::vector<std::size_t>>(classes.size()),
                    std::vector<std::size_t>(classes.size(), 0)};
  for (std::size_t i = 0; i < classes.size(); ++i) {
    const IElement* self = classes[i]->GetSelf();
    for (const PElement& element : ElementsOf(ToClassType(classes[i])->GetRelations())) {
      PRelType relation = ToRelType(element);
      PClassType from = relation->GetClass1();
      PClassType to = relation->GetClass2();
      if (!from || from->GetSelf() != self || !to || to->GetSelf() == self) continue;
      ++deps.unmet[i];
      auto found = place.find(to->GetSelf());
      if (found != place.end()) deps.dependents[found->second].push_back(i);
    }
  }
  return deps;
}

}  // namespace

std::vector<PElement> ClassOrder(const PElemTable& table) {
  const ElemList classes = ElementsOf(table);
  Dependencies deps = DependenciesOf(classes);
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
      for (std::size_t dependent : deps.dependents[i]) {
        if (--deps.unmet[dependent] == 0) next.push_back(dependent);
      }
    }
    std::sort(next.begin(), next.end());
    pass = std::move(next);
  }
  for (std::size_t i = 0; i < classes.size(); ++i) {
    if (!placed[i]) order.push_back(classes[i]);
  }
  return order;
}

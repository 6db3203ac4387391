// Superclasses, realised interfaces and inherited variables of the diagram's classes.
#include "writer/Hierarchy.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/ClassMember.h"
#include "model/ElemList.h"
#include "writer/Naming.h"
#include "writer/Predefined.h"
#include "writer/Relations.h"

namespace {

constexpr size_t kNone = kNoClassPlace;

// The class names of a class that are instance variable names of an
// ancestor; those of them and of its own instance variable names, which are
// class-side instance variables; and those of these that the class side of an
// ancestor declares already.
struct ClassSideNames {
  std::set<std::string> ofInheritedInstanceNames;
  std::set<std::string> instanceNames;
  std::set<std::string> inheritedInstanceNames;
};

// The variable names of a class in a chain, its own and those it inherits.
struct ChainNames {
  std::set<std::string> instanceNames;
  std::set<std::string> classNames;
  std::set<std::string> inheritedInstanceNames;
  std::set<std::string> inheritedClassNames;
  // Only for a class with class names, since few classes have any.
  std::unique_ptr<ClassSideNames> classSide;
};

}  // namespace

// What the lookups need of one class of the table. Each class keeps its place
// among them (SetFactsPlace); it stays alive with the table, so its address names it.
struct Hierarchy::ClassFacts {
  PClassType cls;
  // The class's address, which tells whether a place kept with a class is its own.
  const IElement* self = nullptr;
  bool declared = false;
  // Its superclasses and realised interfaces, as Superclasses and
  // RealisedInterfaces answer them.
  std::vector<size_t> superclasses;
  std::vector<size_t> interfaces;
  // The declared superclass whose variables the class inherits, or kNone.
  size_t parent = kNone;
  bool hasSubclass = false;
  // Only for a class in a chain of declared superclasses, since only those
  // inherit names or pass them on; a large diagram has many classes outside one.
  std::unique_ptr<ChainNames> names;
};

namespace {

using ClassFacts = Hierarchy::ClassFacts;
using Facts = std::vector<ClassFacts>;

// The place of the class's facts, or kNone for a class outside the table.
size_t PlaceOf(const Facts& facts, IClassType& cls) {
  const size_t place = cls.GetFactsPlace();
  return place < facts.size() && facts[place].self == cls.GetSelf() ? place : kNone;
}

// The line style of a relation with two heads that the class stands at the tail
// of, with another class at its head; none ('\0') for any other relation.
char TwoHeadedStyleFrom(const PElement& element, const PElement& cls) {
  PRelType relation = ToRelType(element);
  if (relation->GetHeadSize() != 2 || !IsClassAt(relation->GetClass1(), cls)) return '\0';
  PClassType to = relation->GetClass2();
  return to && !IsClassAt(to, cls) ? relation->GetLineStyle() : '\0';
}

// The places in the table of the classes that the class draws solid
// generalisations to (its superclasses) and dotted ones to (the interfaces it
// realises), each once, in table order but for the superclass of the class's
// own name passed over.
struct HeadPlaces {
  std::vector<size_t> superclasses;
  std::vector<size_t> interfaces;
};

void SortUnique(std::vector<size_t>& places) {
  std::sort(places.begin(), places.end());
  places.erase(std::unique(places.begin(), places.end()), places.end());
}

// Whether the class of the table at the place has the class's Smalltalk name.
// A class without a usable name matches none: it fails where its name is written.
bool HasNameOf(const Facts& facts, size_t place, const PClassType& cls) {
  const PClassType& other = facts[place].cls;
  return IsNameable(cls->GetName()) && IsNameable(other->GetName()) &&
         StClassName(cls) == StClassName(other);
}

// Smalltalk cannot declare a class under itself, so a superclass of the class's
// own name is passed over as if it were not drawn: the first of the others
// becomes the first superclass. Those of the class's own name that are not
// first stay among the further ones, which the class comment names.
void PassOverOwnName(const Facts& facts, std::vector<size_t>& superclasses, const PClassType& cls) {
  auto hasOwnName = [&](size_t place) { return HasNameOf(facts, place, cls); };
  if (superclasses.empty() || !hasOwnName(superclasses.front())) return;
  const auto other = std::find_if_not(superclasses.begin() + 1, superclasses.end(), hasOwnName);
  // Further superclasses are named only beside the one the class is declared
  // under; without another, there is none.
  if (other == superclasses.end()) {
    superclasses.clear();
    return;
  }
  std::rotate(superclasses.begin() + 1, other, other + 1);
  superclasses.erase(superclasses.begin());
}

HeadPlaces HeadClassPlaces(const Facts& facts, const PClassType& cls) {
  HeadPlaces found;
  for (const PElement& relation : ElementsOf(cls->GetRelations())) {
    const char style = TwoHeadedStyleFrom(relation, cls);
    if (style != '-' && style != '.') continue;
    const size_t place = PlaceOf(facts, *ToRelType(relation)->GetClass2());
    if (place == kNone) continue;
    (style == '-' ? found.superclasses : found.interfaces).push_back(place);
  }
  SortUnique(found.superclasses);
  SortUnique(found.interfaces);
  PassOverOwnName(facts, found.superclasses, cls);
  return found;
}

// Most classes have no superclass and realise no interface: they share the
// empty table instead of one made for each.
PElemTable ClassesAt(const Facts& facts, const std::vector<size_t>& places) {
  if (places.empty()) return NoElements();
  PElemTable classes = NewElemTable();
  for (size_t index : places) classes->Add(facts[index].cls);
  return classes;
}

// A name that cannot be made is left out: it fails where its own class writes it.
void AddAttributeName(const PMemberVar& attribute, std::set<std::string>& names) {
  const std::string& name = attribute->GetName();
  if (IsNameable(name)) names.insert(StIdentifier(name));
}

// One walk over the members, without the tables of every member group: only the
// attributes count here.
void CollectOwnNames(ChainNames& facts, const PClassType& cls) {
  std::vector<PMemberVar> classAttributes;
  for (const PElement& member : ElementsOf(cls->GetMembers())) {
    if (!IsMemberVar(member)) continue;
    PMemberVar attribute = ToMemberVar(member);
    if (attribute->GetStatic()) {
      classAttributes.push_back(std::move(attribute));
    } else {
      AddAttributeName(attribute, facts.instanceNames);
    }
  }
  for (const PElement& element : ElementsOf(LinkRelations(cls))) {
    PRelType relation = ToRelType(element);
    if (IsNameable(LinkText(relation))) facts.instanceNames.insert(LinkName(relation));
  }
  for (const PMemberVar& attribute : classAttributes) AddAttributeName(attribute, facts.classNames);
}

// The names of the class at the place, made when first asked for.
ChainNames& NamesOf(Facts& facts, size_t place) {
  std::unique_ptr<ChainNames>& names = facts[place].names;
  if (!names) names = std::make_unique<ChainNames>();
  return *names;
}

// The names that the classes in scope declare, each with the number of them.
class Scope {
 public:
  void Add(const ChainNames& facts) { Count(facts, 1); }
  void Remove(const ChainNames& facts) { Count(facts, -1); }
  // The class's own names that the scope holds besides the class itself.
  void NoteInherited(ChainNames& facts, int ownShare) const {
    Inherited(facts.instanceNames, instanceCounts_, ownShare, facts.inheritedInstanceNames);
    Inherited(facts.classNames, classCounts_, ownShare, facts.inheritedClassNames);
    if (facts.classNames.empty()) return;
    facts.classSide = std::make_unique<ClassSideNames>();
    ClassSideNames& side = *facts.classSide;
    // Whether the class's own instance names count here does not matter: a
    // class name that they hold is one of an instance variable all the same.
    Inherited(facts.classNames, instanceCounts_, 0, side.ofInheritedInstanceNames);
    for (const std::string& name : facts.classNames) {
      if (facts.instanceNames.contains(name) || side.ofInheritedInstanceNames.contains(name)) {
        side.instanceNames.insert(name);
      }
    }
    Inherited(side.instanceNames, classInstanceCounts_, 0, side.inheritedInstanceNames);
  }
  // The class-side instance variables are known only once NoteInherited has
  // seen the class; a class added before that counts them here.
  void AddClassInstanceNames(const ChainNames& facts) { CountClassSide(facts, 1); }

 private:
  using Counts = std::unordered_map<std::string, int>;

  void Count(const ChainNames& facts, int step) {
    for (const std::string& name : facts.instanceNames) instanceCounts_[name] += step;
    for (const std::string& name : facts.classNames) classCounts_[name] += step;
    CountClassSide(facts, step);
  }

  void CountClassSide(const ChainNames& facts, int step) {
    if (!facts.classSide) return;
    for (const std::string& name : facts.classSide->instanceNames) {
      classInstanceCounts_[name] += step;
    }
  }

  static void Inherited(const std::set<std::string>& own, const Counts& counts, int ownShare,
                        std::set<std::string>& inherited) {
    for (const std::string& name : own) {
      const auto found = counts.find(name);
      if (found != counts.end() && found->second > ownShare) inherited.insert(name);
    }
  }

  Counts instanceCounts_;
  Counts classCounts_;
  Counts classInstanceCounts_;
};

// Walks a tree of subclasses without recursion, so that no diagram sets the
// depth of the stack; on the way down each class sees its ancestors in scope.
void Descend(Facts& facts, size_t root, const std::vector<std::vector<size_t>>& children,
             Scope& scope) {
  std::vector<std::pair<size_t, size_t>> path = {{root, 0}};
  scope.NoteInherited(NamesOf(facts, root), 0);
  scope.Add(NamesOf(facts, root));
  while (!path.empty()) {
    const size_t node = path.back().first;
    const size_t next = path.back().second++;
    if (next < children[node].size()) {
      const size_t child = children[node][next];
      scope.NoteInherited(NamesOf(facts, child), 0);
      scope.Add(NamesOf(facts, child));
      path.push_back({child, 0});
    } else {
      scope.Remove(NamesOf(facts, node));
      path.pop_back();
    }
  }
}

// Each class has at most one parent, so the classes form trees whose roots are
// either classes without a parent or a cycle of parents. Following the chain
// from a class of a cycle meets every other class of the cycle before itself,
// so all of them are in its scope.
void FindInheritedNames(Facts& facts) {
  const size_t count = facts.size();
  std::vector<char> state(count, 0);  // 0 not seen, 1 on the current chain, 2 done
  std::vector<char> inCycle(count, 0);
  std::vector<std::vector<size_t>> cycles;
  for (size_t start = 0; start < count; ++start) {
    std::vector<size_t> chain;
    size_t node = start;
    while (node != kNone && state[node] == 0) {
      state[node] = 1;
      chain.push_back(node);
      node = facts[node].parent;
    }
    if (node != kNone && state[node] == 1) {
      const auto first = std::find(chain.begin(), chain.end(), node);
      cycles.emplace_back(first, chain.end());
      for (size_t member : cycles.back()) inCycle[member] = 1;
    }
    for (size_t member : chain) state[member] = 2;
  }

  std::vector<std::vector<size_t>> children(count);
  for (size_t node = 0; node < count; ++node) {
    if (!inCycle[node] && facts[node].parent != kNone) children[facts[node].parent].push_back(node);
  }
  Scope scope;
  for (const std::vector<size_t>& cycle : cycles) {
    for (size_t member : cycle) scope.Add(NamesOf(facts, member));
    for (size_t member : cycle) scope.NoteInherited(NamesOf(facts, member), 1);
    for (size_t member : cycle) scope.AddClassInstanceNames(NamesOf(facts, member));
    for (size_t member : cycle) {
      for (size_t child : children[member]) Descend(facts, child, children, scope);
    }
    for (size_t member : cycle) scope.Remove(NamesOf(facts, member));
  }
  for (size_t node = 0; node < count; ++node) {
    if (!inCycle[node] && facts[node].parent == kNone && facts[node].hasSubclass) {
      Descend(facts, node, children, scope);
    }
  }
}

const std::set<std::string> kNoNames;

// The names of a class in a chain; none for a class outside every chain.
const ChainNames* ChainNamesOf(const ClassFacts* facts) {
  return facts ? facts->names.get() : nullptr;
}

// The class-side names of a class in a chain; none for a class without class names.
const ClassSideNames* ClassSideNamesOf(const ClassFacts* facts) {
  const ChainNames* names = ChainNamesOf(facts);
  return names ? names->classSide.get() : nullptr;
}

}  // namespace

Hierarchy::Hierarchy(const PElemTable& allClasses) : classes_(allClasses) {
  facts_.reserve(static_cast<size_t>(allClasses->Count()));
  for (const PElement& element : ElementsOf(allClasses)) {
    PClassType cls = ToClassType(element);
    if (PlaceOf(facts_, *cls) != kNone) continue;  // there twice
    cls->SetFactsPlace(facts_.size());
    ClassFacts& facts = facts_.emplace_back();
    facts.self = cls->GetSelf();
    facts.cls = std::move(cls);
  }
  // Classes that are not declared declare nothing, and the chain ends at them.
  for (ClassFacts& facts : facts_) {
    facts.declared = IsDeclared(facts.cls);
    HeadPlaces places = HeadClassPlaces(facts_, facts.cls);
    facts.superclasses = std::move(places.superclasses);
    facts.interfaces = std::move(places.interfaces);
  }
  for (ClassFacts& facts : facts_) {
    if (!facts.declared || facts.superclasses.empty()) continue;
    const size_t parent = facts.superclasses.front();
    if (!facts_[parent].declared) continue;
    facts.parent = parent;
    facts_[parent].hasSubclass = true;
  }
  // Only the names of classes in a chain can be inherited or inherit.
  for (size_t i = 0; i < facts_.size(); ++i) {
    if (facts_[i].parent != kNone || facts_[i].hasSubclass)
      CollectOwnNames(NamesOf(facts_, i), facts_[i].cls);
  }
  FindInheritedNames(facts_);
}

Hierarchy::~Hierarchy() = default;

const ClassFacts* Hierarchy::FactsOf(const PClassType& cls) const {
  const size_t place = PlaceOf(facts_, *cls);
  return place == kNone ? nullptr : &facts_[place];
}

bool Hierarchy::IsDeclaredIn(const PClassType& cls) const {
  const ClassFacts* facts = FactsOf(cls);
  return facts ? facts->declared : IsDeclared(cls);
}

size_t Hierarchy::ClassPlaceIn(const PClassType& cls) const {
  return PlaceOf(facts_, *cls);
}

PElemTable Hierarchy::Superclasses(const PClassType& cls) const {
  const ClassFacts* facts = FactsOf(cls);
  return ClassesAt(facts_, facts ? facts->superclasses : HeadClassPlaces(facts_, cls).superclasses);
}

PClassType Hierarchy::WrittenSuperclass(const PClassType& cls) const {
  if (const ClassFacts* facts = FactsOf(cls)) {
    return facts->superclasses.empty() ? nullptr : facts_[facts->superclasses.front()].cls;
  }
  const PElemTable superclasses = Superclasses(cls);
  return superclasses->IsEmpty() ? nullptr : ToClassType(superclasses->AnyOne());
}

PElemTable Hierarchy::RealisedInterfaces(const PClassType& cls) const {
  const ClassFacts* facts = FactsOf(cls);
  return ClassesAt(facts_, facts ? facts->interfaces : HeadClassPlaces(facts_, cls).interfaces);
}

const std::set<std::string>& Hierarchy::InheritedInstanceVariables(const PClassType& cls) const {
  const ChainNames* names = ChainNamesOf(FactsOf(cls));
  return names ? names->inheritedInstanceNames : kNoNames;
}

const std::set<std::string>& Hierarchy::InheritedClassVariables(const PClassType& cls) const {
  const ChainNames* names = ChainNamesOf(FactsOf(cls));
  return names ? names->inheritedClassNames : kNoNames;
}

const std::set<std::string>& Hierarchy::ClassNamesOfInheritedInstanceVariables(
    const PClassType& cls) const {
  const ClassSideNames* side = ClassSideNamesOf(FactsOf(cls));
  return side ? side->ofInheritedInstanceNames : kNoNames;
}

const std::set<std::string>& Hierarchy::InheritedClassInstanceVariables(
    const PClassType& cls) const {
  const ClassSideNames* side = ClassSideNamesOf(FactsOf(cls));
  return side ? side->inheritedInstanceNames : kNoNames;
}

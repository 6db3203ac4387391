// The value a mandatory variable starts with: a new instance only where Smalltalk
// can make one.
#include "writer/MandatoryValue.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "model/ClassMember.h"
#include "model/ElemList.h"
#include "writer/Naming.h"
#include "writer/Predefined.h"
#include "writer/Relations.h"
#include "writer/StrongComponents.h"
#include "writer/ValueRules.h"

namespace {

// Classes whose new instances are no values to compute with ("Integer new"
// fails), or that other languages name, and the literal that stands for them.
struct ValueType {
  std::string_view name;
  std::string_view literal;
};

constexpr ValueType kValueTypes[] = {
    {"Number", "0"},
    {"Integer", "0"},
    {"SmallInteger", "0"},
    {"LargePositiveInteger", "0"},
    {"LargeNegativeInteger", "0"},
    {"Int", "0"},
    {"Long", "0"},
    {"Short", "0"},
    {"Byte", "0"},
    {"Float", "0.0"},
    {"Double", "0.0"},
    {"Real", "0.0"},
    {"Decimal", "0.0"},
    {"Boolean", "false"},
    {"Bool", "false"},
    {"Character", "Character space"},
    {"Char", "Character space"},
    {"Symbol", "#''"},
};

std::optional<std::string_view> ValueTypeLiteral(const std::string& type) {
  for (const ValueType& valueType : kValueTypes) {
    if (valueType.name == type) return valueType.literal;
  }
  return std::nullopt;
}

}  // namespace

// The declared classes by Smalltalk name (two classes of one name are one),
// and the component of each in the graph of the classes whose making makes
// which others: a class makes the declared class of each of its mandatory
// variables and, since its initialize calls the inherited one, its declared
// superclass. Making a class comes back to it exactly when the other lies in
// its component. The classes drawn as defined elsewhere exist too.
struct MandatoryValues::Creations {
  std::unordered_map<std::string, std::size_t> classes;
  std::vector<std::size_t> component;
  std::unordered_set<std::string> external;
};

namespace {

using Creations = MandatoryValues::Creations;

void AddEdge(const Creations& creations, Graph& graph, std::size_t from, const std::string& name) {
  const auto to = creations.classes.find(name);
  if (to != creations.classes.end()) graph[from].push_back(to->second);
}

// Names that cannot be made make no edge: they fail where their class writes them.
void AddCreations(const Creations& creations, const Hierarchy& hierarchy, Graph& graph,
                  std::size_t node, const PClassType& cls) {
  for (const PElement& member : ElementsOf(cls->GetMembers())) {
    if (!IsMemberVar(member)) continue;
    const PMemberVar attribute = ToMemberVar(member);
    const std::string& type = attribute->GetTypeName();
    if (attribute->GetStatic() || AttributeValueRule(attribute) != ValueRule::Mandatory ||
        !IsTypeNameable(type)) {
      continue;
    }
    AddEdge(creations, graph, node, StTypeName(type));
  }
  for (const PElement& element : ElementsOf(LinkRelations(cls))) {
    const PRelType relation = ToRelType(element);
    const PClassType head = relation->GetClass2();
    if (LinkValueRule(relation) != ValueRule::Mandatory) continue;
    if (!head || IsNameable(head->GetName())) AddEdge(creations, graph, node, StClassName(head));
  }
  const PClassType superclass = hierarchy.WrittenSuperclass(cls);
  if (superclass && hierarchy.IsDeclaredIn(superclass) && IsNameable(superclass->GetName())) {
    AddEdge(creations, graph, node, StClassName(superclass));
  }
}

}  // namespace

MandatoryValues::MandatoryValues(const Hierarchy& hierarchy) : hierarchy_(hierarchy) {}

MandatoryValues::~MandatoryValues() = default;

const Creations& MandatoryValues::Gathered() {
  if (creations_) return *creations_;
  auto gathered = std::make_unique<Creations>();
  std::vector<std::pair<PClassType, std::size_t>> declared;
  for (const PElement& element : ElementsOf(hierarchy_.Classes())) {
    PClassType cls = ToClassType(element);
    if (!IsNameable(cls->GetName())) continue;
    if (IsExternal(cls)) gathered->external.insert(StClassName(cls));
    if (!hierarchy_.IsDeclaredIn(cls)) continue;
    const std::size_t node =
        gathered->classes.try_emplace(StClassName(cls), gathered->classes.size()).first->second;
    declared.emplace_back(std::move(cls), node);
  }
  Graph graph(gathered->classes.size());
  for (const auto& [cls, node] : declared) AddCreations(*gathered, hierarchy_, graph, node, cls);
  gathered->component = StrongComponents(graph);
  creations_ = std::move(gathered);
  return *creations_;
}

std::string MandatoryValues::MandatoryValue(const PClassType& cls, const std::string& type) {
  const Creations& creations = Gathered();
  const auto made = creations.classes.find(type);
  if (made != creations.classes.end()) {
    const auto own = IsNameable(cls->GetName()) ? creations.classes.find(StClassName(cls))
                                                : creations.classes.end();
    const bool comesBack = own != creations.classes.end() &&
                           creations.component[own->second] == creations.component[made->second];
    return comesBack ? "nil" : type + " new";
  }
  if (const auto literal = ValueTypeLiteral(type)) return std::string(*literal);
  return IsSystemClassName(type) || creations.external.contains(type) ? type + " new" : "nil";
}

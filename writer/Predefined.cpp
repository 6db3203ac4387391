// Classes that Smalltalk already has, which the output never declares anew.
#include "writer/Predefined.h"

#include <array>
#include <string_view>
#include <unordered_set>

#include "writer/Naming.h"
#include "writer/PharoClasses.h"

bool IsPredefinedCollection(const std::string& name) {
  static constexpr std::array<std::string_view, 7> kCollections = {
      "Collection", "OrderedCollection", "SortedCollection", "Dictionary", "Array", "Set", "Bag"};
  for (const std::string_view collection : kCollections) {
    if (name == collection) return true;
  }
  return false;
}

// Asked for every class twice, so a hash set, made when first asked, rather
// than a search of the sorted table.
bool IsSystemClassName(const std::string& name) {
  static const std::unordered_set<std::string_view> kNames(PharoClassNames().begin(),
                                                           PharoClassNames().end());
  return kNames.contains(name);
}

// A class without a usable name is checked nowhere here: it fails where its
// name is written.
bool IsSystemClass(const PClassType& cls) {
  return IsNameable(cls->GetName()) && IsSystemClassName(StClassName(cls));
}

bool IsExternal(const PClassType& cls) {
  return cls->GetStereotype() == std::string_view("external");
}

bool IsDeclared(const PClassType& cls) {
  return !IsPredefinedCollection(cls->GetName()) &&
         cls->GetStereotype() != std::string_view("interface") && !IsExternal(cls) &&
         !IsSystemClass(cls);
}

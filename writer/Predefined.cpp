// Classes that Smalltalk already has, which the output never declares anew.
#include "writer/Predefined.h"

#include <algorithm>
#include <array>

#include "writer/Naming.h"
#include "writer/PharoClasses.h"

bool IsPredefinedCollection(const std::string& name) {
  static const std::array<const char*, 7> kCollections = {
      "Collection", "OrderedCollection", "SortedCollection", "Dictionary", "Array", "Set", "Bag"};
  for (const char* collection : kCollections) {
    if (name == collection) return true;
  }
  return false;
}

bool IsSystemClassName(const std::string& name) {
  const auto names = PharoClassNames();
  return std::binary_search(names.begin(), names.end(), std::string_view(name));
}

// A class without a usable name is checked nowhere here: it fails where its
// name is written.
bool IsSystemClass(const PClassType& cls) {
  return IsNameable(cls->GetName()) && IsSystemClassName(StClassName(cls));
}

bool IsDeclared(const PClassType& cls) {
  return !IsPredefinedCollection(cls->GetName()) && cls->GetStereotype() != "interface" &&
         !IsSystemClass(cls);
}

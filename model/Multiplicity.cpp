// Multiplicity ranges: factory and checked downcast.
#include "model/Multiplicity.h"

#include "model/Downcast.h"

PMultiplicity NewMultiplicity(const std::string& lower, const std::string& upper,
                              std::pmr::memory_resource& memory) {
  return MakeModelObject<TMultiplicity>(memory, lower, upper);
}

PMultiplicity ToMultiplicity(const PElement& element) {
  return CheckedDowncast<TMultiplicity, IMultiplicity>(
      element, "Invalid downcast of IElement to IMultiplicity");
}

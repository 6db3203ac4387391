// Operation parameters: factory and checked downcast.
#include "model/Param.h"

#include "model/Downcast.h"

PParam NewParam(const std::string& name, const std::string& type, const PElemTable& multiplicity,
                const std::string& defaultValue, std::pmr::memory_resource& memory) {
  return MakeModelObject<TParam>(memory, name, type, multiplicity, defaultValue);
}

PParam ToParam(const PElement& element) {
  return CheckedDowncast<TParam, IParam>(element, "Invalid downcast of IElement to IParam");
}

// Operation parameters: factory and checked downcast.
#include "model/Param.h"

#include "model/Error.h"

PParam NewParam(const std::string& name, const std::string& type, const PElemTable& multiplicity,
                const std::string& defaultValue) {
  return std::make_shared<TParam>(name, type, multiplicity, defaultValue);
}

PParam ToParam(const PElement& element) {
  if (!element) return nullptr;
  auto* object = dynamic_cast<TParam*>(element->GetSelf());
  if (object == nullptr) throw InvalidCastError("Invalid downcast of IElement to IParam");
  return PParam(element, object);
}

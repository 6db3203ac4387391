// The checked downcast behind every To... function of the model.
#pragma once

#include <memory>

#include "model/Element.h"
#include "model/Error.h"

// Narrows the element to Interface when its implementing object is an Impl or
// derives from it; an empty element gives an empty result, any other object
// raises message. The result shares ownership with the argument (aliasing), so
// a narrowed reference keeps the same object alive as the one it came from.
template <class Impl, class Interface>
std::shared_ptr<Interface> CheckedDowncast(const PElement& element, const char* message) {
  if (!element) return nullptr;
  auto* object = dynamic_cast<Impl*>(element->GetSelf());
  if (object == nullptr) throw InvalidCastError(message);
  return std::shared_ptr<Interface>(element, object);
}

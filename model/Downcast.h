// The checked downcast behind every To... function of the model.
#pragma once

#include <memory>
#include <type_traits>
#include <typeinfo>

#include "model/Element.h"
#include "model/Error.h"

// The implementing object as an Impl when it is one or derives from one, else
// null. The complete object's type settles it for a class without subclasses,
// and the object is then found from that type alone: the search through the
// virtual bases that a dynamic_cast to Impl makes is left to the other classes.
template <class Impl>
Impl* ImplementationAs(IElement* self) {
  if (typeid(*self) == typeid(Impl)) return static_cast<Impl*>(dynamic_cast<void*>(self));
  if constexpr (std::is_final_v<Impl>) return nullptr;
  return dynamic_cast<Impl*>(self);
}

// Narrows the element to Interface when its implementing object is an Impl or
// derives from it; an empty element gives an empty result, any other object
// raises message. The result shares ownership with the argument (aliasing), so
// a narrowed reference keeps the same object alive as the one it came from.
template <class Impl, class Interface>
std::shared_ptr<Interface> CheckedDowncast(const PElement& element, const char* message) {
  if (!element) return nullptr;
  Impl* object = ImplementationAs<Impl>(element->GetSelf());
  if (object == nullptr) throw InvalidCastError(message);
  return std::shared_ptr<Interface>(element, object);
}

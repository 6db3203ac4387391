// Factories and checked downcasts of diagram elements; class element members.
#include "model/ElemType.h"

#include "model/Downcast.h"

PElemType NewElemType() {
  return std::make_shared<TElemType>();
}

PClassType NewClassType(std::pmr::memory_resource& memory) {
  return std::make_shared<TClassType>(memory);
}

PRelType NewRelType() {
  return std::make_shared<TRelType>();
}

// Classes and relations, the commonest elements, are recognised from their type
// alone; the search through the virtual bases is left to the others.
PElemType ToElemType(const PElement& element) {
  if (element) {
    IElement* const self = element->GetSelf();
    if (TClassType* cls = ImplementationAs<TClassType>(self)) return PElemType(element, cls);
    if (typeid(*self) == typeid(TRelType)) {
      return PElemType(element, static_cast<TRelType*>(dynamic_cast<void*>(self)));
    }
  }
  return CheckedDowncast<TElemType, IElemType>(element,
                                               "Invalid downcast of IElement to IElemType");
}

PClassType ToClassType(const PElement& element) {
  return CheckedDowncast<TClassType, IClassType>(element,
                                                 "Invalid downcast of IElement to IClassType");
}

PRelType ToRelType(const PElement& element) {
  return CheckedDowncast<TRelType, IRelType>(element, "Invalid downcast of IElement to IRelType");
}

void TClassType::AddMember(const PClassMember& member) {
  members_->Add(member);
}

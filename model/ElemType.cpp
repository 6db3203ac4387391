// Factories and checked downcasts of diagram elements; class element members.
#include "model/ElemType.h"

#include "model/Error.h"

PElemType NewElemType() {
  return std::make_shared<TElemType>();
}

PClassType NewClassType() {
  return std::make_shared<TClassType>();
}

PRelType NewRelType() {
  return std::make_shared<TRelType>();
}

// The results share ownership with the argument (aliasing), so a narrowed
// reference keeps the same object alive as the one it came from.
PElemType ToElemType(const PElement& element) {
  if (!element) return nullptr;
  auto* object = dynamic_cast<TElemType*>(element->GetSelf());
  if (object == nullptr) throw InvalidCastError("Invalid downcast of IElement to IElemType");
  return PElemType(element, object);
}

PClassType ToClassType(const PElement& element) {
  if (!element) return nullptr;
  auto* object = dynamic_cast<TClassType*>(element->GetSelf());
  if (object == nullptr) throw InvalidCastError("Invalid downcast of IElement to IClassType");
  return PClassType(element, object);
}

PRelType ToRelType(const PElement& element) {
  if (!element) return nullptr;
  auto* object = dynamic_cast<TRelType*>(element->GetSelf());
  if (object == nullptr) throw InvalidCastError("Invalid downcast of IElement to IRelType");
  return PRelType(element, object);
}

void TClassType::AddMember(const PClassMember& member) {
  members_->Add(member);
}

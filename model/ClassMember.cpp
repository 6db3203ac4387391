// Class members: factories, checked downcasts and kind tests.
#include "model/ClassMember.h"

#include "model/Error.h"

PClassMember NewMemberVar(bool isStatic, const std::string& visibility, const std::string& name,
                          const std::string& typeName, const PElemTable& multiplicity,
                          const std::string& defaultValue) {
  return std::make_shared<TMemberVar>(isStatic, visibility, name, typeName, multiplicity,
                                      defaultValue);
}

PClassMember NewMemberFun(bool isStatic, bool isAbstract, const std::string& visibility,
                          const std::string& name, const std::string& typeName,
                          const PElemTable& params) {
  return std::make_shared<TMemberFun>(isStatic, isAbstract, visibility, name, typeName, params);
}

PClassMember ToClassMember(const PElement& element) {
  if (!element) return nullptr;
  auto* object = dynamic_cast<TClassMember*>(element->GetSelf());
  if (object == nullptr) throw InvalidCastError("Invalid downcast of IElement to IClassMember");
  return PClassMember(element, object);
}

PMemberVar ToMemberVar(const PElement& element) {
  if (!element) return nullptr;
  auto* object = dynamic_cast<TMemberVar*>(element->GetSelf());
  if (object == nullptr) throw InvalidCastError("Invalid downcast of IElement to IMemberVar");
  return PMemberVar(element, object);
}

PMemberFun ToMemberFun(const PElement& element) {
  if (!element) return nullptr;
  auto* object = dynamic_cast<TMemberFun*>(element->GetSelf());
  if (object == nullptr) throw InvalidCastError("Invalid downcast of IElement to IMemberFun");
  return PMemberFun(element, object);
}

// An empty element is of no kind.
bool IsMemberVar(const PElement& element) {
  return element && dynamic_cast<TMemberVar*>(element->GetSelf()) != nullptr;
}

bool IsMemberFun(const PElement& element) {
  return element && dynamic_cast<TMemberFun*>(element->GetSelf()) != nullptr;
}

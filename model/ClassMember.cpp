// Class members: factories, checked downcasts and kind tests.
#include "model/ClassMember.h"

#include "model/Downcast.h"

PClassMember NewMemberVar(bool isStatic, const std::string& visibility, const std::string& name,
                          const std::string& typeName, const PElemTable& multiplicity,
                          const std::string& defaultValue, const std::string& properties,
                          std::pmr::memory_resource& memory) {
  return MakeModelObject<TMemberVar>(memory, isStatic, visibility, name, typeName, multiplicity,
                                     defaultValue, properties);
}

const std::string& TMemberVar::GetProperties() const {
  static const std::string kNone;
  return properties_ ? *properties_ : kNone;
}

PClassMember NewMemberFun(bool isStatic, bool isAbstract, const std::string& visibility,
                          const std::string& name, const std::string& typeName,
                          const PElemTable& params, std::pmr::memory_resource& memory) {
  return MakeModelObject<TMemberFun>(memory, isStatic, isAbstract, visibility, name, typeName,
                                     params);
}

// Members are attributes and operations, each recognised from its type alone;
// only another object takes the general test, and fails it.
PClassMember ToClassMember(const PElement& element) {
  if (element) {
    IElement* self = element->GetSelf();
    if (TMemberVar* attribute = ImplementationAs<TMemberVar>(self)) {
      return PClassMember(element, attribute);
    }
    if (TMemberFun* operation = ImplementationAs<TMemberFun>(self)) {
      return PClassMember(element, operation);
    }
  }
  return CheckedDowncast<TClassMember, IClassMember>(
      element, "Invalid downcast of IElement to IClassMember");
}

PMemberVar ToMemberVar(const PElement& element) {
  return CheckedDowncast<TMemberVar, IMemberVar>(element,
                                                 "Invalid downcast of IElement to IMemberVar");
}

PMemberFun ToMemberFun(const PElement& element) {
  return CheckedDowncast<TMemberFun, IMemberFun>(element,
                                                 "Invalid downcast of IElement to IMemberFun");
}

// An empty element is of no kind.
bool IsMemberVar(const PElement& element) {
  return element && ImplementationAs<TMemberVar>(element->GetSelf()) != nullptr;
}

bool IsMemberFun(const PElement& element) {
  return element && ImplementationAs<TMemberFun>(element->GetSelf()) != nullptr;
}

// Class members: attributes and operations, immutable once made.
#pragma once

#include <memory>
#include <string>

#include "model/ElemTable.h"
#include "model/Element.h"

class IClassMember : public virtual IElement {
 public:
  // "+", "-", "#", or " " when the member line has no visibility character.
  virtual std::string GetVisibility() const = 0;
  virtual bool GetStatic() const = 0;
  virtual const std::string& GetName() const = 0;
  virtual const std::string& GetTypeName() const = 0;
};
using PClassMember = std::shared_ptr<IClassMember>;

class IMemberVar : public virtual IClassMember {
 public:
  virtual PElemTable GetMultiplicity() const = 0;
  virtual const std::string& GetDefault() const = 0;
  // The UML property string, braces included ("{NotBlank, unique}"); empty for none.
  virtual const std::string& GetProperties() const = 0;
};
using PMemberVar = std::shared_ptr<IMemberVar>;

class IMemberFun : public virtual IClassMember {
 public:
  virtual bool GetAbstract() const = 0;
  virtual PElemTable GetParams() const = 0;
};
using PMemberFun = std::shared_ptr<IMemberFun>;

class TClassMember : public virtual IClassMember {
 public:
  IElement* GetSelf() override { return this; }
  std::string GetVisibility() const override { return std::string(1, visibility_); }
  bool GetStatic() const override { return static_; }
  const std::string& GetName() const override { return name_; }
  const std::string& GetTypeName() const override { return typeName_; }

 protected:
  // The visibility is one character; a member made without one has none (" ").
  TClassMember(const std::string& visibility, bool isStatic, std::string name, std::string typeName)
      : visibility_(visibility.empty() ? ' ' : visibility.front()),
        static_(isStatic),
        name_(std::move(name)),
        typeName_(std::move(typeName)) {}

 private:
  char visibility_;
  bool static_;
  std::string name_;
  std::string typeName_;
};

class TMemberVar final : public TClassMember, public IMemberVar {
 public:
  TMemberVar(bool isStatic, const std::string& visibility, std::string name, std::string typeName,
             PElemTable multiplicity, std::string defaultValue, std::string properties)
      : TClassMember(visibility, isStatic, std::move(name), std::move(typeName)),
        multiplicity_(std::move(multiplicity)),
        default_(std::move(defaultValue)),
        properties_(properties.empty()
                        ? nullptr
                        : std::make_unique<const std::string>(std::move(properties))) {}
  PElemTable GetMultiplicity() const override { return multiplicity_; }
  const std::string& GetDefault() const override { return default_; }
  const std::string& GetProperties() const override;

 private:
  PElemTable multiplicity_;
  std::string default_;
  // Few attributes have one, and a large diagram has many attributes.
  std::unique_ptr<const std::string> properties_;
};

class TMemberFun final : public TClassMember, public IMemberFun {
 public:
  TMemberFun(bool isStatic, bool isAbstract, const std::string& visibility, std::string name,
             std::string typeName, PElemTable params)
      : TClassMember(visibility, isStatic, std::move(name), std::move(typeName)),
        abstract_(isAbstract),
        params_(std::move(params)) {}
  bool GetAbstract() const override { return abstract_; }
  PElemTable GetParams() const override { return params_; }

 private:
  bool abstract_;
  PElemTable params_;
};

// Factories answer the general member interface, made in memory; the tables are
// shared, not copied.
PClassMember NewMemberVar(bool isStatic, const std::string& visibility, const std::string& name,
                          const std::string& typeName, const PElemTable& multiplicity,
                          const std::string& defaultValue, const std::string& properties = "",
                          std::pmr::memory_resource& memory = HeapMemory());
PClassMember NewMemberFun(bool isStatic, bool isAbstract, const std::string& visibility,
                          const std::string& name, const std::string& typeName,
                          const PElemTable& params,
                          std::pmr::memory_resource& memory = HeapMemory());

PClassMember ToClassMember(const PElement& element);
PMemberVar ToMemberVar(const PElement& element);
PMemberFun ToMemberFun(const PElement& element);

// Kind tests; never given an empty element.
bool IsMemberVar(const PElement& element);
bool IsMemberFun(const PElement& element);

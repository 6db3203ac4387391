// Operation parameters: name, type, multiplicity and default value.
#pragma once

#include <memory>
#include <string>

#include "model/ElemTable.h"
#include "model/Element.h"

class IParam : public virtual IElement {
 public:
  virtual const std::string& GetName() const = 0;
  virtual const std::string& GetType() const = 0;
  virtual PElemTable GetMultiplicity() const = 0;
  virtual const std::string& GetDefault() const = 0;
};
using PParam = std::shared_ptr<IParam>;

class TParam final : public IParam {
 public:
  TParam(std::string name, std::string type, PElemTable multiplicity, std::string defaultValue)
      : name_(std::move(name)),
        type_(std::move(type)),
        multiplicity_(std::move(multiplicity)),
        default_(std::move(defaultValue)) {}
  IElement* GetSelf() override { return this; }
  const std::string& GetName() const override { return name_; }
  const std::string& GetType() const override { return type_; }
  PElemTable GetMultiplicity() const override { return multiplicity_; }
  const std::string& GetDefault() const override { return default_; }

 private:
  std::string name_;
  std::string type_;
  PElemTable multiplicity_;
  std::string default_;
};

// Made in memory.
PParam NewParam(const std::string& name, const std::string& type, const PElemTable& multiplicity,
                const std::string& defaultValue, std::pmr::memory_resource& memory = HeapMemory());
PParam ToParam(const PElement& element);

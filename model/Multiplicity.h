// Multiplicity ranges: the model of a multiplicity text.
#pragma once

#include <memory>
#include <string>

#include "model/ElemTable.h"
#include "model/Element.h"

// One range of a multiplicity; "n" stands for an unbounded upper end.
class IMultiplicity : public virtual IElement {
 public:
  virtual const std::string& GetLower() const = 0;
  virtual const std::string& GetUpper() const = 0;
};
using PMultiplicity = std::shared_ptr<IMultiplicity>;

class TMultiplicity final : public IMultiplicity {
 public:
  TMultiplicity(std::string lower, std::string upper)
      : lower_(std::move(lower)), upper_(std::move(upper)) {}
  IElement* GetSelf() override { return this; }
  const std::string& GetLower() const override { return lower_; }
  const std::string& GetUpper() const override { return upper_; }

 private:
  std::string lower_;
  std::string upper_;
};

// Made in memory.
PMultiplicity NewMultiplicity(const std::string& lower, const std::string& upper,
                              std::pmr::memory_resource& memory = HeapMemory());
PMultiplicity ToMultiplicity(const PElement& element);

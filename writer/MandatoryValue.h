// The value a mandatory variable starts with: a new instance only where Smalltalk
// can make one.
#pragma once

#include <memory>
#include <string>

#include "model/ElemType.h"
#include "writer/Hierarchy.h"

// The values of the mandatory variables of the classes of the hierarchy's table.
// Which classes making each class makes is gathered when first asked, since many
// diagrams have no mandatory variable.
class MandatoryValues {
 public:
  explicit MandatoryValues(const Hierarchy& hierarchy);
  MandatoryValues(const MandatoryValues&) = delete;
  MandatoryValues& operator=(const MandatoryValues&) = delete;
  ~MandatoryValues();

  // The value of a mandatory variable of the class, whose type has the Smalltalk
  // name `type`: for a class that this file declares, a new instance, or nil when
  // making one would come back to the class; the literal of a value type
  // (numbers, truth values, characters, symbols); a new instance of a class of
  // Pharo or of one the diagram draws as external; nil for a class that nobody
  // defines.
  std::string MandatoryValue(const PClassType& cls, const std::string& type);

  struct Creations;

 private:
  const Creations& Gathered();

  const Hierarchy& hierarchy_;
  std::unique_ptr<Creations> creations_;
};

// Which rule gives a variable its initial value: the one decision that the
// initialize method writes and that tells which classes a new instance creates.
#pragma once

#include "model/ClassMember.h"
#include "model/ElemType.h"

enum class ValueRule {
  Default,     // the default text, which is Smalltalk code
  Collection,  // a new collection, for a variable that holds many objects
  Optional,    // nil
  Mandatory,   // a value of the variable's type
};

// The attribute's default when it is a Smalltalk expression; otherwise the
// multiplicity decides, as if there were no default.
ValueRule AttributeValueRule(const PMemberVar& attribute);
// A link has no default: the multiplicity at its head decides.
ValueRule LinkValueRule(const PRelType& relation);

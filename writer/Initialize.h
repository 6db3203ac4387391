// The initializer lines of the initialize method.
#pragma once

#include "model/Element.h"

// One line giving an instance attribute its initial value.
void WriteAttributeInit(const PElement& member);
// One line giving a link variable its initial value.
void WriteLinkInit(const PElement& relation);

// Method stubs for operations, and the sections for realised interfaces.
#pragma once

#include "model/Element.h"

// One method stub: the selector line and a body that is still to be written.
void WriteOperationStub(const PElement& member);
// One keyword part of a selector; a blank follows unless it is the last one.
void WriteParamKeyword(const PElement& param, const PElement& next);
// The stubs of every operation of the interface, in a protocol named after it.
void WriteInterfaceSection(const PElement& interface);

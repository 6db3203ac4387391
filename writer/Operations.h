// Method stubs for operations, and the sections for realised interfaces.
#pragma once

#include "model/Element.h"

// Whether the member is an operation whose selector is initialize (no parameters):
// it asks for the initialize that plimko writes on its side.
bool AsksForInitialize(const PElement& member);
// One method stub: the selector line and a body that is still to be written; none
// for an operation that asks for plimko's initialize, which a stub would replace.
void WriteOperationStub(const PElement& member);
// One keyword part of a selector; a blank follows unless it is the last one.
void WriteParamKeyword(const PElement& param, const PElement& next);
// The stubs of every operation of the interface, in a protocol named after it.
void WriteInterfaceSection(const PElement& interface);

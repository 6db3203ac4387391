// Method protocol sections: every method gets a header of its own.
#pragma once

#include <string_view>

#include "model/ElemType.h"

// Current Pharo reads exactly one method after each protocol header, so methods
// are never grouped under one header. A group names the class and the protocol
// of the methods that follow; each method opens its own section.

// The methods that follow belong to the class, under the header piece.
void BeginMethodGroup(const PClassType& cls, std::string_view piece);
// The methods that follow are the class's stubs of the interface's operations,
// under a protocol named after the interface.
void BeginInterfaceGroup(const PClassType& cls, const PClassType& interface);
// Right before a method's text: ends the previous method's section, if it is
// still open, then writes "!", the class name, the header piece and the stamp,
// without a line end; the method text ends the line.
void StartMethod();
// Ends the last method's section, if it is still open: " !", a line end and an
// empty line.
void EndMethodGroup();

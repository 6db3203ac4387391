// Method groups: the side and protocol of the methods a class layout is given.
#pragma once

#include <string_view>

#include "model/ElemType.h"
#include "writer/ClassLayout.h"

// The methods started from now on go to this layout; none for nullptr, which
// drops a method still open without ending it.
void ComposeMethodsOf(ClassLayout* layout);
// The methods that follow are on the given side, in the protocol.
void BeginMethodGroup(bool classSide, std::string_view protocol);
// The methods that follow are the class's stubs of the interface's operations,
// in a protocol named after the interface.
void BeginInterfaceGroup(const PClassType& interface);
// Ends the method before, if one is open, and starts the next method of the
// group: what is written from here on is its text.
void StartMethod();
// Hands the open method's rest to the layout and ends it.
void EndMethod();

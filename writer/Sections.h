// Method groups: the side and protocol of the methods a class text is given.
#pragma once

#include <string>

#include "model/ElemType.h"
#include "writer/ClassText.h"

// The methods started from now on are added to this class text; none for nullptr.
void ComposeMethodsOf(ClassText* text);
// The methods that follow are on the given side, in the protocol.
void BeginMethodGroup(bool classSide, std::string protocol);
// The methods that follow are the class's stubs of the interface's operations,
// in a protocol named after the interface.
void BeginInterfaceGroup(const PClassType& interface);
// Starts the next method of the group: what is written from here on is its text.
void StartMethod();

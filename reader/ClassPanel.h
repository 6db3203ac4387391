// The panel text of a class element: stereotype, name line and member sections.
#pragma once

#include "model/ElemType.h"
#include "model/Element.h"

// Reads the panel text of a class element; called on its first non-blank character.
void ReadClassPanel(const PElement& element);
// Reads the name line: format marks, name and type text.
void ReadClassNameLine(const PClassType& cls);
// Skips one "bg=" or "fg=" line if one stands at the position.
void SkipColourLine();
// Skips colour lines and tells whether a member line stands at the position.
bool MemberLineFollows();

// The panel text of a class element: stereotype, name line and member sections.
#pragma once

#include "model/ElemType.h"
#include "model/Element.h"
#include "reader/scanner.h"

class DiagramReader;

// Reads the panel text of a class element; called on its first non-blank character.
void ReadClassPanel(DiagramReader& reader, const PElement& element);
// Reads the name line: format marks, name and type text.
void ReadClassNameLine(Scanner& input, const PClassType& cls);
// Skips one "bg=" or "fg=" line if one stands at the position.
void SkipColourLine(Scanner& input);
// Skips colour lines and tells whether a member line stands at the position.
bool MemberLineFollows(Scanner& input);

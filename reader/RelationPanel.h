// The panel text and point list of a relation element.
#pragma once

#include <cstdint>
#include <string>

#include "model/ElemType.h"
#include "model/Element.h"

class DiagramReader;

// Reads the panel text of a relation element and then its point list; called
// on the first non-blank character of the panel text.
void ReadRelationPanel(DiagramReader& reader, const PElement& element);
// Reads "<additional_attributes>", the point list and its closing tag.
void ReadAdditionalAttributes(DiagramReader& reader, const PRelType& rel);
// Converts one value of a point list: integers are brought to zoom level 10,
// decimals are rounded and taken as they are.
int32_t PointValue(const DiagramReader& reader, const std::string& text);

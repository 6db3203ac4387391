// The UMLet document reader: builds the element table from the open input.
#pragma once

#include <cstdint>

#include "model/ElemTable.h"
#include "model/Error.h"

// Raised by ReadDiagram for a file that ends before the document starts and holds no
// root tag: a file of another kind, where a position would tell nothing.
class NotADiagramError : public GenericError {
 public:
  using GenericError::GenericError;
};

// Reads the whole document from the scanner's input into a new table, in
// document order.
PElemTable ReadDiagram();
// Reads one element into the table; called right after its "<element>".
void ReadElement(IElemTable& diagram);
// Brings a coordinate to zoom level 10 (halves to the even neighbour).
int32_t ScaleCoordinate(int32_t value);
// Brings an integer point value to zoom level 10; documents of version 13 and
// later write their point lists there already, whatever their zoom level.
int32_t ScalePoint(int32_t value);

// The UMLet document reader: builds the element table from the open input.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/ElemTable.h"

// Reads the whole document from the scanner's input into a new table, in
// document order.
PElemTable ReadDiagram();
// Reads one element into the table; called right after its "<element>".
void ReadElement(IElemTable& diagram);
// Brings a coordinate to zoom level 10 (halves to the even neighbour).
int32_t ScaleCoordinate(int32_t value);

// How a large input is shared between two threads. The result is the same as
// with one thread in every case; tests split small inputs at chosen lines.
struct SplitSettings {
  int64_t minInputSize = int64_t{4} << 20;  // smaller inputs are read by one thread
  int32_t pieces = 16;                      // how many pieces the second thread may take
  std::vector<int64_t> cutsFrom{};          // where pieces are looked for; empty: evenly spread
  std::string firstText = "<element>";      // how a piece's first line starts, after blanks
  // Whether the second thread reads every piece, also those the first comes to
  // before it, so that tests see the hand-over at every piece start.
  bool secondTakesAll = false;
};
void SetSplitSettings(const SplitSettings& settings);
// Whether the last ReadDiagram took a result of the second thread.
bool LastReadWasSplit();

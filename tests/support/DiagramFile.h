// Reads a diagram file whole for a test, as the driver's phases read it.
#pragma once

#include <string>

#include "model/ElemTable.h"
#include "reader/Parser.h"

// Opens the file, reads its diagram and closes it, after a failure too.
inline PElemTable ReadDiagramFile(DiagramReader& reader, const std::string& path) {
  reader.OpenInput(path);
  PElemTable diagram;
  try {
    diagram = reader.ReadDiagram();
  } catch (...) {
    reader.CloseInput();
    throw;
  }
  reader.CloseInput();
  return diagram;
}

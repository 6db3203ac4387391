// The UMLet document reader: builds the element table of one diagram from its input.
#pragma once

#include <cstdint>
#include <cstdio>
#include <exception>
#include <memory>
#include <memory_resource>
#include <string>
#include <utility>

#include "model/ElemTable.h"
#include "model/Error.h"
#include "reader/SharedMembers.h"
#include "reader/scanner.h"

// Raised by ReadDiagram for a file that ends before the document starts and holds no
// root tag: a file of another kind, where a position would tell nothing.
class NotADiagramError : public GenericError {
 public:
  using GenericError::GenericError;
};

// Raised for every other failure to read a diagram: the message of what failed,
// and the place in the input where the reading stopped, as a report shows it.
class ReadError : public GenericError {
 public:
  ReadError(std::string message, InputPlace place)
      : GenericError(std::move(message)),
        place_(std::make_shared<const InputPlace>(std::move(place))) {}
  const InputPlace& Place() const noexcept { return *place_; }

 private:
  // Shared, so that copying the error cannot fail.
  std::shared_ptr<const InputPlace> place_;
};

// Reads one diagram: holds the scanner of its input, the document's zoom level and
// the members its lines share. The model's objects are made in the memory given,
// which must outlive them and the reader.
class DiagramReader {
 public:
  explicit DiagramReader(std::pmr::memory_resource& memory = HeapMemory());
  DiagramReader(const DiagramReader&) = delete;
  DiagramReader& operator=(const DiagramReader&) = delete;

  // Opens the input and reads its first line; raises what Scanner::OpenInput raises.
  void OpenInput(const std::string& path) { input_.OpenInput(path); }
  void OpenInput(std::FILE* stream, const std::string& name) { input_.OpenInput(stream, name); }
  // Reads the whole document from the open input into a new table, in document
  // order. Raises NotADiagramError for a file of another kind, and a ReadError for
  // every other failure; a failure that is not the system's own stays nested in it.
  PElemTable ReadDiagram();
  // Closes the input; raises a ReadError for `cannot close "NAME"`.
  void CloseInput();

  // Reads one element into the table; called right after its "<element>".
  void ReadElement(IElemTable& diagram);
  // Brings a coordinate to zoom level 10 (halves to the even neighbour); raises
  // "coordinate VALUE does not fit at zoom level ZOOM".
  int32_t ScaleCoordinate(int32_t value) const;
  // Brings an integer point value to zoom level 10; documents of version 13 and
  // later write their point lists there already, whatever their zoom level.
  int32_t ScalePoint(int32_t value) const;

  // The scanner of the input, for the readers of the panels.
  Scanner& Input() { return input_; }
  // The members equal lines share, made in Memory.
  SharedMembers& Shared() { return shared_; }
  // Where the model's objects are made.
  std::pmr::memory_resource& Memory() const { return memory_; }

 private:
  void ReadRootTag();
  std::string SkipToDocumentStart();
  void ReadZoomLevel();
  // Raises error's message again as a ReadError at the place reading stopped;
  // called while handling it.
  [[noreturn]] void FailAtPlace(const std::exception& error) const;

  std::pmr::memory_resource& memory_;
  Scanner input_;
  SharedMembers shared_;
  // The zoom level of the document being read.
  double ZoomLevel = 10.0;
  // Whether the document writes integer point values at zoom level 10 rather
  // than at its zoom level, as UMLet does since version 13.
  bool PointsAtZoomTen = false;
};

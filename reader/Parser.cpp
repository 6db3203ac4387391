// The UMLet document reader: finds the zoom level and the elements by their tags.
#include "reader/Parser.h"

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <stop_token>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "model/ElemList.h"
#include "model/ElemType.h"
#include "model/Error.h"
#include "reader/ClassPanel.h"
#include "reader/RelationPanel.h"
#include "reader/scanner.h"

namespace {

// The zoom level of the document being read, per thread: a second thread reads
// the later elements of a large document with a copy of it.
thread_local double ZoomLevel = 10.0;

SplitSettings Split;
bool SplitUsed = false;
// How far the line a piece starts at is looked for.
constexpr int64_t kSearchLimit = int64_t{1} << 16;

enum class ElementKind { kClass, kRelation, kOther };

// The coordinate tags, in the order of their indexes below.
const ArrayOfString kCoordinateTags = {
    "<x>", "<y>", "<w>", "<h>", "</coordinates>", "</element>", "</diagram>", "</umlet_diagram>"};
constexpr int32_t kEndOfCoordinates = 4;
// The tags each step looks for, made once: the scanner is asked for them per element.
const ArrayOfString kDocumentStart = {"<zoom_level>", "<element>", "</diagram>",
                                      "</umlet_diagram>"};
const ArrayOfString kNextElement = {"<element>", "</diagram>", "</umlet_diagram>"};
const ArrayOfString kTypeTag = {"<type>", "<id>", "</diagram>", "</umlet_diagram>"};
const ArrayOfString kCoordinatesTag = {"<coordinates>", "</element>", "</diagram>",
                                       "</umlet_diagram>"};
const ArrayOfString kPanelTag = {"<panel_attributes>", "<panel_attributes/>", "</element>",
                                 "</diagram>", "</umlet_diagram>"};
const ArrayOfString kElementEnd = {"</element>", "</diagram>", "</umlet_diagram>"};
const char* const kClosingTags[] = {"</x>", "</y>", "</w>", "</h>"};
const char* const kCoordinateErrors[] = {"wrong x coordinate", "wrong y coordinate",
                                         "wrong w coordinate", "wrong h coordinate"};

// The type text counts by its part after the last full stop.
std::string ReadTypeText() {
  std::string text = ReadUntil(".<");
  while (GetLastDelimiter() == ".") {
    SkipDelim();
    text = ReadUntil(".<");
  }
  return text;
}

ElementKind KindOf(const std::string& typeText) {
  if (typeText == "Class" || typeText == "UMLClass") return ElementKind::kClass;
  if (typeText == "Relation") return ElementKind::kRelation;
  return ElementKind::kOther;
}

PElement NewElement(ElementKind kind) {
  switch (kind) {
    case ElementKind::kClass:
      return NewClassType();
    case ElementKind::kRelation:
      return NewRelType();
    case ElementKind::kOther:
      break;
  }
  PElemType other = NewElemType();
  other->SetName("CustomElementImpl");
  return other;
}

void ReadZoomLevel() {
  CheckToken("<zoom_level>");
  int32_t level = 0;
  try {
    level = ParseInteger(ReadUntilChar('<'));
  } catch (const PlimkoError&) {
    throw GenericError("wrong zoom level");
  }
  // A zoom level of 0 would divide every coordinate by zero.
  if (level == 0) throw GenericError("wrong zoom level");
  ZoomLevel = level;
  CheckToken("</zoom_level>");
}

void SetCoordinate(const PElemType& element, int32_t index) {
  try {
    const int32_t value = ScaleCoordinate(ParseInteger(ReadUntilChar('<')));
    switch (index) {
      case 0:
        element->SetX(value);
        break;
      case 1:
        element->SetY(value);
        break;
      case 2:
        element->SetW(value);
        break;
      default:
        element->SetH(value);
        break;
    }
  } catch (const PlimkoError&) {
    throw GenericError(kCoordinateErrors[index]);
  }
}

// Answers whether "</coordinates>" was reached; each turn consumes a tag or a
// line end, and any other text raises from SkipDelim.
bool ReadCoordinates(const PElemType& element) {
  int32_t k = LookAheadFor(kCoordinateTags);
  while (k < kEndOfCoordinates) {
    SkipDelim();
    if (k >= 0) {
      SetCoordinate(element, k);
      CheckToken(kClosingTags[k]);
      SkipBlanksNotEof();
    } else {
      SkipToAny(kCoordinateTags);
    }
    k = LookAheadFor(kCoordinateTags);
  }
  return k == kEndOfCoordinates;
}

void ReadPanel(const PElement& element, ElementKind kind) {
  const std::string found = SkipToAny(kPanelTag);
  if (found == "<panel_attributes>") {
    SkipDelim();
    SkipBlanksNotEof();
    if (kind == ElementKind::kClass) {
      ReadClassPanel(element);
    } else {
      ReadRelationPanel(element);
    }
  } else if (found == "<panel_attributes/>") {
    SkipDelim();
    SkipBlanksNotEof();
    if (kind == ElementKind::kRelation) ReadAdditionalAttributes(ToRelType(element));
  }
}

// Reads type, coordinates and panel; the caller skips the rest of the element.
void ReadElementBody(IElemTable& diagram) {
  const std::string tag = SkipPastAny(kTypeTag);
  if (tag != "<type>" && tag != "<id>") return;
  const ElementKind kind = KindOf(ReadTypeText());
  const PElement element = NewElement(kind);
  diagram.Add(element);
  if (kind == ElementKind::kOther) return;
  const std::string found = SkipToAny(kCoordinatesTag);
  if (found == "<coordinates>") {
    SkipDelim();
    SkipBlanksNotEof();
  }
  if (!ReadCoordinates(ToElemType(element))) return;
  ReadPanel(element, kind);
}

// Answers false at the end of the document.
bool ReadNextElement(IElemTable& diagram) {
  if (SkipPastAny(kNextElement) != "<element>") return false;
  ReadElement(diagram);
  return true;
}

// A piece of a large document as the second thread reads it: the elements from
// a line start up to the next piece's line, read with a scanner state of its own.
struct Piece {
  int64_t start = 0;
  PScannerState scanner;  // where the reading stopped; empty when there is nothing to take
  PElemTable elements;
  std::exception_ptr error;
  bool ended = false;  // the document ended in the piece
  bool done = false;
};

// Reads a large document with a second thread. This thread reads from the start
// and takes the pieces it comes to; the second reads pieces from the back, each
// as the element loop would at its top at the end of the line before, with
// nothing left there to stop at. What the loop reads depends on that state and
// the bytes ahead alone, so when this thread reaches a piece of the other in
// that very state, the piece's result is the one it would come to itself; in any
// other case the piece is dropped and this thread reads on.
class SplitReading {
 public:
  SplitReading() = default;
  SplitReading(const SplitReading&) = delete;
  SplitReading& operator=(const SplitReading&) = delete;

  // Plans the pieces and starts the thread when the input is large enough.
  void Start();
  size_t Count() const { return pieces_.size(); }
  int64_t StartOf(size_t k) const { return pieces_[k].start; }
  // Called as this thread reaches or passes the start of piece k, in order:
  // answers whether the piece is its own to read.
  bool TakeForMain(size_t k);
  Piece& WaitFor(size_t k);

 private:
  void Work(const std::stop_token& stop, double zoom);
  void ReadPiece(Piece& piece, int64_t end, const std::stop_token& stop);

  std::string path_;
  std::vector<Piece> pieces_;  // never resized while the thread runs
  std::mutex mutex_;
  std::condition_variable pieceDone_;
  size_t front_ = 0;     // the pieces before it are this thread's
  size_t back_ = 0;      // the pieces from it on are the second thread's
  std::jthread thread_;  // last, so that it is stopped and joined before the rest goes
};

void SplitReading::Start() {
  const int64_t size = InputSize();
  if (size < 0 || size < Split.minInputSize) return;
  std::vector<int64_t> from = Split.cutsFrom;
  if (from.empty()) {
    for (int32_t k = 1; k < Split.pieces; ++k) from.push_back(size / Split.pieces * k);
  }
  std::sort(from.begin(), from.end());
  for (const int64_t offset : from) {
    const int64_t start = FindLineStart(offset, Split.firstText, kSearchLimit);
    if (start >= 0 && (pieces_.empty() || start > pieces_.back().start)) {
      pieces_.emplace_back().start = start;
    }
  }
  back_ = pieces_.size();
  if (pieces_.empty()) return;
  path_ = InputPath();
  try {
    thread_ =
        std::jthread([this, zoom = ZoomLevel](const std::stop_token& stop) { Work(stop, zoom); });
  } catch (const std::system_error&) {
    // Without a second thread this one reads the whole document.
    pieces_.clear();
  }
}

void SplitReading::Work(const std::stop_token& stop, double zoom) {
  ZoomLevel = zoom;
  std::unique_lock lock(mutex_);
  while (back_ > front_ && !stop.stop_requested()) {
    const size_t k = --back_;
    lock.unlock();
    ReadPiece(pieces_[k], k + 1 < pieces_.size() ? pieces_[k + 1].start : -1, stop);
    // The piece's state may go with the piece; none is left to point to.
    UseScannerState(nullptr);
    lock.lock();
    pieces_[k].done = true;
    pieceDone_.notify_one();
  }
}

// Reads up to the top of the element loop at which the line at end is no longer
// ahead; end is -1 for the last piece.
void SplitReading::ReadPiece(Piece& piece, int64_t end, const std::stop_token& stop) {
  piece.scanner = OpenInputAt(path_, piece.start);
  if (!piece.scanner) return;
  piece.elements = NewElemTable();
  UseScannerState(piece.scanner.get());
  try {
    while (end < 0 || ReachOfLine(end, kNextElement) == LineReach::kAhead) {
      if (stop.stop_requested()) {
        piece.scanner.reset();
        return;
      }
      if (!ReadNextElement(*piece.elements)) {
        piece.ended = true;
        return;
      }
    }
  } catch (...) {
    piece.error = std::current_exception();
  }
}

bool SplitReading::TakeForMain(size_t k) {
  const std::scoped_lock lock(mutex_);
  if (k >= back_ || Split.secondTakesAll) return false;
  front_ = k + 1;
  return true;
}

Piece& SplitReading::WaitFor(size_t k) {
  std::unique_lock lock(mutex_);
  pieceDone_.wait(lock, [&] { return pieces_[k].done; });
  return pieces_[k];
}

}  // namespace

PElemTable ReadDiagram() {
  const PElemTable diagram = NewElemTable();
  ZoomLevel = 10.0;
  SplitUsed = false;
  const std::string first = SkipToAny(kDocumentStart);
  if (first == "<zoom_level>") ReadZoomLevel();
  SplitReading split;
  split.Start();
  size_t next = 0;  // the first piece whose start this thread has neither reached nor passed
  for (;;) {
    while (next < split.Count()) {
      const LineReach reach = ReachOfLine(split.StartOf(next), kNextElement);
      if (reach == LineReach::kAhead) break;
      const size_t k = next++;
      if (split.TakeForMain(k) || reach == LineReach::kPassed) continue;
      Piece& piece = split.WaitFor(k);
      if (!TakeOverScanner(piece.scanner)) continue;
      SplitUsed = true;
      if (piece.error) std::rethrow_exception(piece.error);
      for (const PElement& element : ElementsOf(piece.elements)) diagram->Add(element);
      if (piece.ended) return diagram;
    }
    if (!ReadNextElement(*diagram)) return diagram;
  }
}

void ReadElement(IElemTable& diagram) {
  ReadElementBody(diagram);
  if (SkipToAny(kElementEnd) == "</element>") SkipDelim();
}

void SetSplitSettings(const SplitSettings& settings) {
  Split = settings;
}

bool LastReadWasSplit() {
  return SplitUsed;
}

// The factor is formed first so that every coordinate of a document is scaled
// alike; the default rounding mode, which nothing changes, rounds halves to even.
int32_t ScaleCoordinate(int32_t value) {
  const double factor = 10.0 / ZoomLevel;
  const double scaled = std::nearbyint(static_cast<double>(value) * factor);
  if (!(scaled >= -2147483648.0 && scaled <= 2147483647.0)) {
    throw GenericError("coordinate " + std::to_string(value) + " does not fit at zoom level " +
                       std::to_string(static_cast<int64_t>(ZoomLevel)));
  }
  return static_cast<int32_t>(scaled);
}

// The UMLet document reader: finds the zoom level and the elements by their tags.
#include "reader/Parser.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <string>
#include <string_view>

#include "model/ElemType.h"
#include "model/Error.h"
#include "reader/ClassPanel.h"
#include "reader/RelationPanel.h"

namespace {

constexpr int32_t kFirstVersionAtZoomTen = 13;

enum class ElementKind { kClass, kRelation, kOther };

// The coordinate tags, in the order of their indexes below.
const ArrayOfString kCoordinateTags = {
    "<x>", "<y>", "<w>", "<h>", "</coordinates>", "</element>", "</diagram>", "</umlet_diagram>"};
constexpr int32_t kEndOfCoordinates = 4;
// The tags each step looks for, made once: the scanner is asked for them per element.
const ArrayOfString kDocumentStart = {"<zoom_level>", "<element>", "</diagram>",
                                      "</umlet_diagram>"};
const ArrayOfString kRootOrDocumentStart = {"<diagram",  "<umlet_diagram", "<zoom_level>",
                                            "<element>", "</diagram>",     "</umlet_diagram>"};
const ArrayOfString kNextElement = {"<element>", "</diagram>", "</umlet_diagram>"};
const ArrayOfString kTypeTag = {"<type>", "<id>", "</diagram>", "</umlet_diagram>"};
const ArrayOfString kCoordinatesTag = {"<coordinates>", "</element>", "</diagram>",
                                       "</umlet_diagram>"};
const ArrayOfString kPanelTag = {"<panel_attributes>", "<panel_attributes/>", "</element>",
                                 "</diagram>", "</umlet_diagram>"};
const ArrayOfString kElementEnd = {"</element>", "</diagram>", "</umlet_diagram>"};
const std::string kClosingTags[] = {"</x>", "</y>", "</w>", "</h>"};
const char* const kCoordinateErrors[] = {"wrong x coordinate", "wrong y coordinate",
                                         "wrong w coordinate", "wrong h coordinate"};

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

size_t SkipBlanksIn(std::string_view text, size_t at) {
  while (at < text.size() && IsBlank(text[at])) ++at;
  return at;
}

// The value of the first attribute `version` in the attribute text of a tag,
// preceded by a blank; empty when there is no such attribute with a quoted value.
std::string_view VersionAttribute(std::string_view attributes) {
  const std::string_view name = "version";
  for (size_t at = attributes.find(name); at != std::string_view::npos;
       at = attributes.find(name, at + 1)) {
    if (at == 0 || !IsBlank(attributes[at - 1])) continue;
    size_t i = SkipBlanksIn(attributes, at + name.size());
    if (i == attributes.size() || attributes[i] != '=') continue;
    i = SkipBlanksIn(attributes, i + 1);
    if (i == attributes.size() || (attributes[i] != '"' && attributes[i] != '\'')) continue;
    const size_t end = attributes.find(attributes[i], i + 1);
    if (end == std::string_view::npos) continue;
    return attributes.substr(i + 1, end - i - 1);
  }
  return {};
}

// Counts the version by the number its value begins with ("14.4.0-SNAPSHOT" is 14);
// the count stops at the first version that matters, so no length overflows it.
bool WritesPointsAtZoomTen(std::string_view version) {
  int32_t major = 0;
  for (size_t i = 0; i < version.size() && IsDigit(version[i]); ++i) {
    major = std::min(major * 10 + (version[i] - '0'), kFirstVersionAtZoomTen);
  }
  return major >= kFirstVersionAtZoomTen;
}

// Whether the root start tag just passed is one: "<diagram" or "<umlet_diagram"
// followed by anything but a blank or ">" is another tag.
bool AtRootTagEnd(const Scanner& input) {
  return IsBlank(input.CurrentChar()) || input.CurrentChar() == '>';
}

// The type text counts by its part after the last full stop.
std::string ReadTypeText(Scanner& input) {
  std::string text = input.ReadUntil(".<");
  while (input.RequireLastDelimiter() == ".") {
    input.SkipDelim();
    text = input.ReadUntil(".<");
  }
  return text;
}

ElementKind KindOf(const std::string& typeText) {
  if (typeText == "Class" || typeText == "UMLClass") return ElementKind::kClass;
  if (typeText == "Relation") return ElementKind::kRelation;
  return ElementKind::kOther;
}

PElement NewElement(ElementKind kind, std::pmr::memory_resource& memory) {
  switch (kind) {
    case ElementKind::kClass:
      return NewClassType(memory);
    case ElementKind::kRelation:
      return NewRelType();
    case ElementKind::kOther:
      break;
  }
  PElemType other = NewElemType();
  other->SetName("CustomElementImpl");
  return other;
}

void SetCoordinate(DiagramReader& reader, const PElemType& element, int32_t index) {
  try {
    const int32_t value = reader.ScaleCoordinate(ParseInteger(reader.Input().ReadUntilChar('<')));
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
bool ReadCoordinates(DiagramReader& reader, const PElemType& element) {
  Scanner& input = reader.Input();
  int32_t k = input.LookAheadFor(kCoordinateTags);
  while (k < kEndOfCoordinates) {
    input.SkipDelim();
    if (k >= 0) {
      SetCoordinate(reader, element, k);
      input.CheckToken(kClosingTags[k]);
      input.SkipBlanksNotEof();
    } else {
      input.SkipToAny(kCoordinateTags);
    }
    k = input.LookAheadFor(kCoordinateTags);
  }
  return k == kEndOfCoordinates;
}

void ReadPanel(DiagramReader& reader, const PElement& element, ElementKind kind) {
  Scanner& input = reader.Input();
  const std::string& found = input.SkipToAny(kPanelTag);
  if (found == "<panel_attributes>") {
    input.SkipDelim();
    input.SkipBlanksNotEof();
    if (kind == ElementKind::kClass) {
      ReadClassPanel(reader, element);
    } else {
      ReadRelationPanel(reader, element);
    }
  } else if (found == "<panel_attributes/>") {
    input.SkipDelim();
    input.SkipBlanksNotEof();
    if (kind == ElementKind::kRelation) ReadAdditionalAttributes(reader, ToRelType(element));
  }
}

// Reads type, coordinates and panel; the caller skips the rest of the element.
void ReadElementBody(DiagramReader& reader, IElemTable& diagram) {
  Scanner& input = reader.Input();
  const std::string& tag = input.SkipPastAny(kTypeTag);
  if (tag != "<type>" && tag != "<id>") return;
  const ElementKind kind = KindOf(ReadTypeText(input));
  const PElement element = NewElement(kind, reader.Memory());
  diagram.Add(element);
  if (kind == ElementKind::kOther) return;
  const std::string& found = input.SkipToAny(kCoordinatesTag);
  if (found == "<coordinates>") {
    input.SkipDelim();
    input.SkipBlanksNotEof();
  }
  if (!ReadCoordinates(reader, ToElemType(element))) return;
  ReadPanel(reader, element, kind);
}

}  // namespace

DiagramReader::DiagramReader(std::pmr::memory_resource& memory)
    : memory_(memory), shared_(memory) {}

// The attributes of the root tag are read on its own line; the read stops
// before any "<", so no tag that the document search looks for is passed.
void DiagramReader::ReadRootTag() {
  // The blank before the first attribute is trimmed away by the read. Built by
  // appending: g++ 12 wrongly warns about a concatenation that starts with " ".
  std::string attributes = " ";
  attributes += input_.ReadUntil("<>");
  PointsAtZoomTen = WritesPointsAtZoomTen(VersionAttribute(attributes));
}

// The root tag may stand before the zoom level and the elements; the attributes of
// "<diagram" tell its version. A file that ends before the document starts, and
// holds no root tag on the way or after, is no diagram at all.
std::string DiagramReader::SkipToDocumentStart() {
  bool rootSeen = false;
  try {
    for (std::string found = input_.SkipToAny(kRootOrDocumentStart);
         found == "<diagram" || found == "<umlet_diagram";
         found = input_.SkipToAny(kRootOrDocumentStart)) {
      input_.SkipDelim();
      if (!AtRootTagEnd(input_)) continue;
      rootSeen = true;
      if (found == "<diagram") {
        ReadRootTag();
        break;
      }
    }
    return input_.SkipToAny(kDocumentStart);
  } catch (const GenericError&) {
    // A NUL stops the search before the end; a file with no root tag in its
    // bytes, such as one in UTF-16, is still no diagram.
    if (rootSeen || (!input_.AtEof() && input_.BytesFollow({"<diagram", "<umlet_diagram"}))) {
      throw;
    }
    throw NotADiagramError("not a UMLet diagram: \"" + input_.InputName() +
                           "\" has no <diagram> or <umlet_diagram> element");
  }
}

void DiagramReader::ReadZoomLevel() {
  input_.CheckToken("<zoom_level>");
  int32_t level = 0;
  try {
    level = ParseInteger(input_.ReadUntilChar('<'));
  } catch (const PlimkoError&) {
    throw GenericError("wrong zoom level");
  }
  // A zoom level of 0 would divide every coordinate by zero.
  if (level == 0) throw GenericError("wrong zoom level");
  ZoomLevel = level;
  input_.CheckToken("</zoom_level>");
}

// The error's place is where the scanner stands as the error passes: nothing
// moves it between the failure and here.
void DiagramReader::FailAtPlace(const std::exception& error) const {
  if (dynamic_cast<const PlimkoError*>(&error) != nullptr) {
    throw ReadError(MessageOf(error), input_.Place());
  }
  // Not the system's own report: whoever tells faults from reports finds it nested.
  std::throw_with_nested(ReadError(MessageOf(error), input_.Place()));
}

PElemTable DiagramReader::ReadDiagram() {
  try {
    const PElemTable diagram = NewElemTable(memory_);
    ZoomLevel = 10.0;
    PointsAtZoomTen = false;
    if (SkipToDocumentStart() == "<zoom_level>") ReadZoomLevel();
    while (input_.SkipPastAny(kNextElement) == "<element>") ReadElement(*diagram);
    return diagram;
  } catch (const NotADiagramError&) {
    throw;
  } catch (const std::exception& error) {
    FailAtPlace(error);
  }
}

void DiagramReader::CloseInput() {
  try {
    input_.CloseInput();
  } catch (const std::exception& error) {
    FailAtPlace(error);
  }
}

void DiagramReader::ReadElement(IElemTable& diagram) {
  ReadElementBody(*this, diagram);
  if (input_.SkipToAny(kElementEnd) == "</element>") input_.SkipDelim();
}

// The factor is formed first so that every coordinate of a document is scaled
// alike; the default rounding mode, which nothing changes, rounds halves to even.
int32_t DiagramReader::ScaleCoordinate(int32_t value) const {
  const double factor = 10.0 / ZoomLevel;
  const double scaled = std::nearbyint(static_cast<double>(value) * factor);
  if (!(scaled >= -2147483648.0 && scaled <= 2147483647.0)) {
    throw GenericError("coordinate " + std::to_string(value) + " does not fit at zoom level " +
                       std::to_string(static_cast<int64_t>(ZoomLevel)));
  }
  return static_cast<int32_t>(scaled);
}

int32_t DiagramReader::ScalePoint(int32_t value) const {
  return PointsAtZoomTen ? value : ScaleCoordinate(value);
}

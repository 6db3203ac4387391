// Tests of the document frame: zoom level, element kinds and order, coordinates.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "ReaderTestSupport.h"

namespace {

using namespace reader_test;

const std::string kEof = "LookAheadFor reached end of file unexpectedly";

std::string KindOf(const PElement& element) {
  IElement* self = element->GetSelf();
  const std::string name = ToElemType(element)->GetName();
  if (dynamic_cast<TClassType*>(self) != nullptr) return "class " + name;
  if (dynamic_cast<TRelType*>(self) != nullptr) return "relation " + name;
  return "other " + name;
}

std::vector<std::string> KindsOf(const PElemTable& diagram) {
  std::vector<std::string> kinds;
  for (const PElement& element : ElementsOf(diagram)) kinds.push_back(KindOf(element));
  return kinds;
}

std::string Coordinates(const PElement& element) {
  const PElemType e = ToElemType(element);
  return std::to_string(e->GetX()) + "," + std::to_string(e->GetY()) + "," +
         std::to_string(e->GetW()) + "," + std::to_string(e->GetH());
}

// A class whose coordinate lines are given; they start at line 7.
std::string ClassWithCoordinates(const std::string& lines, const std::string& zoom = "10") {
  return Document(
      "  <element>\n"
      "    <id>UMLClass</id>\n"
      "    <coordinates>\n" +
          lines +
          "    </coordinates>\n"
          "    <panel_attributes>A</panel_attributes>\n"
          "  </element>\n",
      zoom);
}

std::string Xywh(const std::string& x, const std::string& y, const std::string& w,
                 const std::string& h) {
  return "      <x>" + x + "</x>\n      <y>" + y + "</y>\n      <w>" + w + "</w>\n      <h>" + h +
         "</h>\n";
}

// Documents that hold no element, or whose elements stand after the end tag.
TEST(DocumentFrame, EmptyDiagrams) {
  EXPECT_TRUE(ReadDocument("<diagram program=\"umlet\"></diagram>")->IsEmpty());
  EXPECT_TRUE(
      ReadDocument("<?xml version=\"1.0\"?>\n<umlet_diagram>\n</umlet_diagram>\n")->IsEmpty());
  // Whichever end tag comes first ends the reading; nothing after it is looked at.
  EXPECT_TRUE(
      ReadDocument("<diagram></umlet_diagram>\n<element><id>UMLClass</id>\n<<<")->IsEmpty());
}

// Elements of every kind stay in document order; the type counts by its last part.
TEST(DocumentFrame, ElementKindsInDocumentOrder) {
  const std::string document = Document(
      RelationElement("label") + ClassElement("A") + Element("UMLNote", "note text", "") +
      "  <element>\n    <type>com.umlet.element.Class</type>\n    <coordinates><x>1</x>"
      "</coordinates>\n    <panel_attributes>B</panel_attributes>\n  </element>\n"
      "  <element>\n    <type>com.baselet.element.old.element.Relation</type>\n"
      "    <coordinates></coordinates>\n    <panel_attributes>old</panel_attributes>\n"
      "    <additional_attributes>1;2</additional_attributes>\n  </element>\n" +
      Element("com.umlet.element.custom.Node", "x", "") + Element("Class.Custom", "y", ""));
  EXPECT_EQ(KindsOf(ReadDocument(document)),
            (std::vector<std::string>{"relation label", "class A", "other CustomElementImpl",
                                      "class B", "relation old", "other CustomElementImpl",
                                      "other CustomElementImpl"}));
}

// An element of another type keeps the model's coordinates and reads no panel.
TEST(DocumentFrame, OtherElementIsNotRead) {
  const PElement note = OnlyElement(Document(Element("UMLNote", "Shape", "")));
  EXPECT_EQ(KindOf(note), "other CustomElementImpl");
  EXPECT_EQ(Coordinates(note), "-2147483648,-2147483648,-2147483648,-2147483648");
}

// Coordinates are brought to zoom level 10, halves to the even neighbour.
TEST(DocumentFrame, CoordinatesAreScaledToZoomLevelTen) {
  struct Case {
    std::string zoom;
    std::string x, y, w, h;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"10", "10", "-20", "0", "2147483647", "10,-20,0,2147483647"},
      {"20", "25", "35", "45", "-25", "12,18,22,-12"},
      {"8", "20", "8", "12", "10", "25,10,15,12"},
      {"12", "684", "264", "252", "516", "570,220,210,430"},
      {"3", "10", "20", "3", "1", "33,67,10,3"},
      {"-10", "30", "-5", "0", "7", "-30,5,0,-7"},
      {"$14", "7", "21", "35", "49", "4,10,18,24"},
  };
  for (const Case& c : cases) {
    const PElement cls = OnlyElement(ClassWithCoordinates(Xywh(c.x, c.y, c.w, c.h), c.zoom));
    EXPECT_EQ(Coordinates(cls), c.expected) << "zoom " << c.zoom;
  }
}

// The layouts of coordinates that UMLet files show, and those the reader tolerates.
TEST(DocumentFrame, CoordinateLayouts) {
  // Without a zoom level the coordinates are taken as written.
  EXPECT_EQ(Coordinates(OnlyElement(
                "<umlet_diagram><element><type>Class</type><coordinates><x>5</x><y>6</y><w>7</w>"
                "<h>8</h></coordinates><panel_attributes>A</panel_attributes></element>"
                "</umlet_diagram>")),
            "5,6,7,8");
  // A zoom level after the first element is not looked for.
  EXPECT_EQ(Coordinates(OnlyElement(
                "<diagram><element><id>UMLClass</id><coordinates><x>20</x></coordinates>"
                "</element><zoom_level>20</zoom_level></diagram>")),
            "20,-2147483648,-2147483648,-2147483648");
  // Any order, a repeated coordinate wins with its later value, and a value may
  // have its closing tag on the next line.
  EXPECT_EQ(Coordinates(OnlyElement(ClassWithCoordinates(
                "      <h>4</h><w>3</w>\n      <x>1</x>\n      <x>9\n</x>\n      <y>2</y>\n"))),
            "9,2,3,4");
}

// Two readers share nothing: opened one after the other and read in turn, each
// reads its own file, scales by its own zoom level and makes members of its own.
TEST(DocumentFrame, ReadersSideBySide) {
  DiagramReader zoomed;
  DiagramReader plain;
  zoomed.OpenInput(WriteTempFile(Document(ClassElement("A\n--\nx: T"), "20")));
  plain.OpenInput(WriteTempFile(Document(ClassElement("B\n--\nx: T"))));
  const std::vector<PElement> a = ElementsOf(zoomed.ReadDiagram());
  const std::vector<PElement> b = ElementsOf(plain.ReadDiagram());
  zoomed.CloseInput();
  plain.CloseInput();
  ASSERT_EQ(a.size(), 1u);
  ASSERT_EQ(b.size(), 1u);
  EXPECT_EQ(KindOf(a[0]) + " " + Coordinates(a[0]), "class A 5,10,50,25");
  EXPECT_EQ(KindOf(b[0]) + " " + Coordinates(b[0]), "class B 10,20,100,50");
  EXPECT_NE(ToClassType(a[0])->GetMembers()->AnyOne(), ToClassType(b[0])->GetMembers()->AnyOne());
}

// Without "</coordinates>" the panel is not read.
TEST(DocumentFrame, PanelNeedsCompleteCoordinates) {
  const PElement unread = OnlyElement(
      Document("  <element>\n    <id>UMLClass</id>\n    <panel_attributes>A</panel_attributes>\n"
               "  </element>\n"));
  EXPECT_EQ(Coordinates(unread), "-2147483648,-2147483648,-2147483648,-2147483648");
  EXPECT_EQ(ToElemType(unread)->GetName(), "");
  const PElement open = OnlyElement(
      Document("  <element>\n    <id>UMLClass</id>\n    <coordinates><x>1</x>\n  </element>\n"));
  EXPECT_EQ(Coordinates(open), "1,-2147483648,-2147483648,-2147483648");
  const PElement empty = OnlyElement(
      Document("  <element>\n    <id>UMLClass</id>\n    <coordinates><x>1</x></coordinates>\n"
               "    <panel_attributes/>\n  </element>\n"));
  EXPECT_EQ(ToElemType(empty)->GetName(), "");
}

// Failures of the frame, with the line and position the driver prints.
TEST(DocumentFrame, Errors) {
  struct Case {
    std::string document;
    ReadFailure expected;
  };
  const std::vector<Case> cases = {
      {Document("", "abc"), {"wrong zoom level", 3, 18}},
      {Document("", ""), {"wrong zoom level", 3, 15}},
      {Document("", "0"), {"wrong zoom level", 3, 16}},
      {Document("", "10</zoom>"), {"missing \"</zoom_level>\"", 3, 17}},
      {ClassWithCoordinates("      <x>abc</x>\n"), {"wrong x coordinate", 7, 13}},
      {ClassWithCoordinates("      <x>1</x>\n      <y></y>\n"), {"wrong y coordinate", 8, 10}},
      {ClassWithCoordinates("      <w>1.5</w>\n"), {"wrong w coordinate", 7, 13}},
      {ClassWithCoordinates("      <h>9999999999</h>\n"), {"wrong h coordinate", 7, 20}},
      // Scaled out of the 32-bit range.
      {ClassWithCoordinates("      <h>300000000</h>\n", "1"), {"wrong h coordinate", 7, 19}},
      {ClassWithCoordinates("      <x>-2147483648</x>\n", "-10"), {"wrong x coordinate", 7, 21}},
      // A value on a line of its own after its tag is empty.
      {ClassWithCoordinates("      <x>\n10</x>\n"), {"wrong x coordinate", 7, 10}},
      {ClassWithCoordinates("      <x>10</y>\n"), {"missing \"</x>\"", 7, 12}},
      {ClassWithCoordinates("      <z>5</z>\n"), {"LastDelimiter is empty", 7, 7}},
      {Document("  <element>\n    <id>UMLClass</id>\n    <coordinates><x>1</x>\n"
                "    <panel_attributes>A</panel_attributes>\n  </element>\n"),
       {"LastDelimiter is empty", 7, 5}},
      {"<diagram>\n<element><id>UMLClass</id>\n", {kEof, 2, -2}},
      // Without "<type>" or "<id>" the search runs past the diagram's end tag.
      {"<diagram>\n<element><collectionItemID>UMLClass</collectionItemID></element>\n"
       "</diagram>\n",
       {kEof, 3, -2}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadFailureOf(c.document), c.expected) << c.document;
  }
}

// A file that ends before the document starts and holds no root tag on the way is no
// diagram, and the reader says so, naming the file; one with a root tag keeps the
// report of the end of the file with its position, as does a NUL that stops the
// search before the end of a file that holds a root tag.
TEST(DocumentFrame, NotADiagram) {
  struct Case {
    std::string document;
    ReadFailure expected;  // the message "not a diagram" stands for the not-a-diagram one
  };
  const std::string notADiagram = "not a diagram";
  const std::vector<Case> cases = {
      // Files of other kinds.
      {"", {notADiagram, 0, -2}},
      {"# Shop\n\nThe shop's class diagram, drawn with UMLet.\n", {notADiagram, 3, -2}},
      {"<!DOCTYPE html>\n<html><body><p>Shop</p></body></html>\n", {notADiagram, 2, -2}},
      // Tags that only begin like a root tag.
      {"<diagrams>\n<diagram_x>\n<umlet_diagrams/>\n<diagram-a>\n", {notADiagram, 4, -2}},
      // Root tags followed by a blank, a tab, ">" or the line end.
      {"<diagram>", {kEof, 1, -2}},
      {"<diagrams>\n<diagram program=\"umlet\">\n", {kEof, 2, -2}},
      {"<diagram\n", {kEof, 1, -2}},
      {"text <umlet_diagram\tversion=\"8\">\n\n", {kEof, 2, -2}},
      {"<umlet_diagram\n", {kEof, 1, -2}},
      {"<?xml?><umlet_diagram>", {kEof, 1, -2}},
      // A NUL reads as the end of the file where the file goes on: the report
      // stays where it stopped when a root tag follows, on that line or later.
      {std::string("<html>\0<p>\n", 11), {notADiagram, 1, 7}},
      {std::string("<html>\0<diagram>\n", 18), {kEof, 1, 7}},
      {std::string("<html>\0<p>\n\n<p><umlet_diagram>\n", 31), {kEof, 1, 7}},
      // UTF-16, with its byte order mark and a NUL in every ASCII character.
      {std::string("\xFF\xFE<\0d\0i\0a\0g\0r\0a\0m\0>\0\n\0", 22), {notADiagram, 1, 4}},
      {std::string("\xFE\xFF\0<\0d\0i\0a\0g\0r\0a\0m\0>\0\n", 22), {notADiagram, 1, 3}},
  };
  for (const Case& c : cases) {
    const std::string path = WriteTempFile(c.document);
    DiagramReader reader;
    reader.OpenInput(path);
    ReadFailure failure{"no error", 0, 0};
    try {
      reader.ReadDiagram();
    } catch (const NotADiagramError& error) {
      EXPECT_EQ(error.Message(), "not a UMLet diagram: \"" + path +
                                     "\" has no <diagram> or <umlet_diagram> element");
      failure = {notADiagram, reader.Input().LineNo(), reader.Input().LinePos()};
    } catch (const ReadError& error) {
      failure = {error.Message(), error.Place().lineNo, error.Place().linePos};
    }
    reader.CloseInput();
    EXPECT_EQ(failure, c.expected) << c.document;
  }
}

// The root tag's version decides whether integer points are scaled by the zoom
// level: 40 at zoom level 20 stays 40 from version 13 on. Each reading starts
// anew, so a row that scales after one that does not shows the reset.
TEST(DocumentFrame, VersionDecidesPointScaling) {
  struct Case {
    std::string head;
    int32_t expected;
  };
  const std::vector<Case> cases = {
      {"<diagram program=\"umletino\" version=\"15.1\">", 40},
      {"<diagram program=\"umlet\">", 20},
      {"<diagram program=\"umlet\" version=\"13\">", 40},
      {"<diagram program=\"umlet\" version=\"12.9\">", 20},
      {"<diagram program=\"umletino\" version=\"14.4.0-SNAPSHOT\">", 40},
      {"<diagram program=\"umlet\" xversion=\"15.1\">", 20},
      {"<diagram\tversion = '13.3' >", 40},
      {"<?xml version=\"15.0\" encoding=\"UTF-8\"?>\n<diagram program=\"umlet\">", 20},
      {"<diagram version=\"99999999999999999999\">", 40},
      {"<diagram version=\"v15\">", 20},
      // Only the line of the root tag is read.
      {"<diagram\n version=\"15.1\">", 20},
      // Another tag that begins alike is not the root tag.
      {"<diagram_x version=\"15.1\">\n<diagram>", 20},
  };
  DiagramReader reader;
  for (const Case& c : cases) {
    ReadDocument(reader, c.head + "<zoom_level>20</zoom_level></diagram>");
    EXPECT_EQ(reader.ScalePoint(40), c.expected) << c.head;
  }
  // A "<diagram" after the zoom level is not the root tag.
  ReadDocument(reader,
               "<umlet_diagram><zoom_level>20</zoom_level><diagram version=\"15.1\"></diagram>");
  EXPECT_EQ(reader.ScalePoint(40), 20);
}

// Scaling itself, at the edges of the 32-bit range.
TEST(DocumentFrame, ScaleCoordinateRange) {
  DiagramReader reader;
  SetZoomLevel(reader, 10);
  EXPECT_EQ(reader.ScaleCoordinate(INT_MIN), INT_MIN);
  EXPECT_EQ(reader.ScaleCoordinate(INT_MAX), INT_MAX);
  SetZoomLevel(reader, 20);
  EXPECT_EQ(reader.ScaleCoordinate(-35), -18);
  EXPECT_EQ(reader.ScaleCoordinate(INT_MIN), -1073741824);
  SetZoomLevel(reader, -10);
  EXPECT_EQ(reader.ScaleCoordinate(INT_MAX), -INT_MAX);
  try {
    reader.ScaleCoordinate(INT_MIN);
    ADD_FAILURE() << "no error";
  } catch (const GenericError& error) {
    EXPECT_STREQ(error.what(), "coordinate -2147483648 does not fit at zoom level -10");
  }
}

}  // namespace

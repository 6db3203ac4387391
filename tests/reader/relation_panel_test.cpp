// Tests of relation panels: line types, keyword lines, labels and point lists.
#include "reader/RelationPanel.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "ReaderTestSupport.h"

namespace {

using namespace reader_test;

PRelType ReadRelation(const std::string& panel) {
  return ToRelType(OnlyElement(Document(RelationElement(panel))));
}

// The end points have no getters; this relation records how they and the name
// are stored, in order.
class StoreRecorder : public TRelType {
 public:
  void SetName(const std::string& value) override {
    TRelType::SetName(value);
    Record("name=" + Quoted(value));
  }
  void SetStartX(int32_t value) override { Record("sx" + std::to_string(value)); }
  void SetStartY(int32_t value) override { Record("sy" + std::to_string(value)); }
  void SetEndX(int32_t value) override { Record("ex" + std::to_string(value)); }
  void SetEndY(int32_t value) override { Record("ey" + std::to_string(value)); }
  std::string calls;

 private:
  void Record(const std::string& call) {
    if (!calls.empty()) calls += " ";
    calls += call;
  }
};

// Reads a relation panel from a text of its own; answers the stores.
std::string PanelStores(DiagramReader& reader, const std::string& text) {
  OpenAt(reader, text);
  const auto rel = std::make_shared<StoreRecorder>();
  ReadRelationPanel(reader, rel);
  reader.CloseInput();
  return rel->calls;
}

struct PanelCase {
  std::string panel;
  std::string expected;
};

void ExpectRelations(const std::vector<PanelCase>& cases) {
  for (const PanelCase& c : cases) {
    EXPECT_EQ(DescribeRelation(ReadRelation(c.panel)), c.expected) << c.panel;
  }
}

// Line type: heads before and after the line character, and the line style.
TEST(RelationPanel, LineTypes) {
  ExpectRelations({
      {"lt=&lt;&lt;-", "style=- head=2 dir=1"},
      {"lt=-", "style=-"},
      {"lt=.&gt;", "style=. head=1 dir=2"},
      {"lt=&lt;-&gt;", "style=- head=1 dir=3"},
      {"lt=&lt;&lt;&lt;&lt;-", "style=- head=4 dir=1"},
      {"lt=&lt;&lt;-&gt;", "style=- head=2 dir=1"},
      {"lt=&lt;..", "style=. head=1 dir=1"},
      {"lt=x-&gt;&gt;&gt;&gt;&gt;", "style=- head=5 dir=2"},
      {"lt=  -&gt;\nlabel", "style=- name='label' head=1 dir=2"},
      {"lt=(+)-", "style=-"},
      // A character other than "." and "-" leaves the style as it was.
      {"lt=.\nlt=x-&gt;", "style=. head=1 dir=2"},
      {"", "style=-"},
  });
}

// Keyword lines, stereotype and labels; labels concatenate, the last type wins.
TEST(RelationPanel, KeywordsAndLabels) {
  ExpectRelations({
      {"lt=&lt;&lt;-\nm1=1\nm2=0..*\nr1=owner",
       "style=- head=2 dir=1 m1=[1..1] m2=[0..n] r1='owner'"},
      {"m1=0..1,3..*\nm2= *\nr2=the &amp; role\nq1=key\nq2=&lt;k&gt;",
       "style=- m1=[0..1,3..n] m2=[0..n] r2='the & role' q1='key' q2='<k>'"},
      {"m1=1\nm1=2\nbg=red\nfg=blue\nbg=#3c7a00", "style=- m1=[1..2]"},
      {"works\nfor", "style=- name='worksfor'"},
      {"employs &gt;", "style=- name='employs'"},
      {"&lt; taught by", "style=- name='taught by'"},
      {"x &lt; y", "style=- name='xy'"},
      {"a: T1\nb: T2\nc", "style=- name='abc' type='T2'"},
      {"&gt;: T", "style=- type='T'"},
      {"belongs: A &lt; B", "style=- name='belongsB' type='A'"},
      // "&lt;&lt;" is tried before the reading-direction mark "&lt;".
      {"&lt;&lt;extends&gt;&gt;\nlt=&lt;&lt;.", "style=. stereotype='extends' head=2 dir=1"},
  });
}

// The empty panel form keeps the model's defaults except for the points.
TEST(RelationPanel, EmptyPanelForm) {
  const PElement rel = OnlyElement(
      Document("  <element>\n    <id>Relation</id>\n    <coordinates></coordinates>\n"
               "    <panel_attributes/>\n    <additional_attributes>1;2</additional_attributes>\n"
               "  </element>\n"));
  EXPECT_EQ(DescribeRelation(ToRelType(rel)), "style=NUL");
}

// The first pair is the start point, the last pair the end point.
TEST(RelationPanel, PointLists) {
  DiagramReader reader;
  SetZoomLevel(reader, 10);
  EXPECT_EQ(PanelStores(reader,
                        "lt=-</panel_attributes><additional_attributes>10;20;110;20"
                        "</additional_attributes>"),
            "name='' sx10 sy20 ex110 ey20");
  EXPECT_EQ(PanelStores(reader,
                        "</panel_attributes>\n<additional_attributes>1;2;3;4;5;6"
                        "</additional_attributes>"),
            "name='' sx1 sy2 ex3 ey4 ex5 ey6");
  EXPECT_EQ(PanelStores(reader,
                        "m1=1\n</panel_attributes>\n  <additional_attributes> 7 ; 8 "
                        "</additional_attributes>"),
            "name='' sx7 sy8");
  EXPECT_EQ(PanelStores(reader,
                        "</panel_attributes><additional_attributes>10.5;11.5;-2.5;$10"
                        "</additional_attributes>"),
            "name='' sx10 sy12 ex-2 ey16");
  // Integers are scaled by the zoom level, decimals are not.
  SetZoomLevel(reader, 20);
  EXPECT_EQ(PanelStores(reader,
                        "</panel_attributes><additional_attributes>25;35;25.0;35.0"
                        "</additional_attributes>"),
            "name='' sx12 sy18 ex25 ey35");
}

// The label items are stored as one name, so that a long label costs no more
// than its length to read.
TEST(RelationPanel, LabelIsStoredOnce) {
  DiagramReader reader;
  EXPECT_EQ(PanelStores(reader,
                        "works\nfor &gt; a: T\n&lt; b</panel_attributes>"
                        "<additional_attributes>1;2</additional_attributes>"),
            "name='worksforab' sx1 sy2");
}

struct PointCase {
  std::string text;
  int32_t expected;
};

// Values of a point list: integers in every notation, decimals rounded half to even.
TEST(RelationPanel, PointValues) {
  DiagramReader reader;
  SetZoomLevel(reader, 10);
  const std::vector<PointCase> cases = {
      {"25", 25},
      {"$10", 16},
      {"10.5", 10},
      {"11.5", 12},
      {"-2.5", -2},
      {"-3.5", -4},
      {"5.", 5},
      {".5", 0},
      {"-0.4", 0},
      {"1.5e1", 15},
      {"25.0e-1", 2},
      {"+2.5", 2},
      {" \t3.5", 4},
      {"1.0e-400", 0},
      {"0.000e999999999999999999", 0},
      {"2147483647.0", INT_MAX},
      {"-2147483648.4", INT_MIN},
      {"-7.00", -7},
      {"0000000000000012.0", 12},
  };
  for (const PointCase& c : cases) {
    EXPECT_EQ(PointValue(reader, c.text), c.expected) << c.text;
  }
}

std::string PointValueMessage(const DiagramReader& reader, const std::string& text) {
  try {
    return "no error, value " + std::to_string(PointValue(reader, text));
  } catch (const GenericError& error) {
    return error.what();
  }
}

// Values that are not numbers, or do not fit, with the message for each.
TEST(RelationPanel, InvalidPointValues) {
  DiagramReader reader;
  SetZoomLevel(reader, 10);
  const std::vector<std::string> invalidFloats = {
      ".",     "-.",      "1.5x",         "1.5e",          "1..5",    "1.5 ",  "1,5.0",
      "nan.0", "1.5e1.0", "2147483648.0", "-2147483649.0", "1.0e400", "+-1.0", "0x1.0"};
  for (const std::string& text : invalidFloats) {
    EXPECT_EQ(PointValueMessage(reader, text), "\"" + text + "\" is an invalid float");
  }
  const std::vector<std::string> invalidIntegers = {"", "12a", "1,5", "nan", "inf", "1e5"};
  for (const std::string& text : invalidIntegers) {
    EXPECT_EQ(PointValueMessage(reader, text), "\"" + text + "\" is an invalid integer");
  }
  // An integer that does not fit once scaled.
  SetZoomLevel(reader, 1);
  EXPECT_EQ(PointValueMessage(reader, "300000000"), "\"300000000\" is an invalid integer");
}

// Failures inside a relation panel or its point list, with line and position.
TEST(RelationPanel, Errors) {
  struct Case {
    std::string document;
    ReadFailure expected;
  };
  const std::vector<Case> cases = {
      {Document(RelationElement("&lt;&lt;extends\nlabel")), {"missing \"&gt;&gt;\"", 13, 1}},
      {Document(RelationElement("&lt;&lt;extends")),
       {"\"<\" mustnot occur in \"extends</panel_attributes>\" xml PCData", 12, 57}},
      {Document(RelationElement("a > b")), {"\">\" mustnot occur in \"a > b\" xml PCData", 12, 28}},
      {Document(RelationElement("r1=a&b")), {"wrong entity in \"a&b\"", 12, 29}},
      {Document(RelationElement("lt=-\n<b>x</b>")), {"missing \"</panel_attributes>\"", 13, 1}},
      {Document(Element("Relation", "lt=-", "    <additional_attributes/>\n")),
       {"missing \"<additional_attributes>\"", 13, 5}},
      {Document(RelationElement("lt=-", "10;20;30")), {"missing \";\"", 13, 36}},
      {Document(RelationElement("lt=-", "10;20\n;30;40")), {"missing \";\"", 13, 33}},
      {Document(RelationElement("lt=-", "10")), {"missing \";\"", 13, 30}},
      {Document(RelationElement("lt=-", "10;20;")), {"\"\" is an invalid integer", 13, 34}},
      {Document(RelationElement("lt=-", "")), {"\"\" is an invalid integer", 13, 28}},
      {Document(RelationElement("lt=-", "10;2x")), {"\"2x\" is an invalid integer", 13, 33}},
      {Document(RelationElement("lt=-", "10;1.5.5")), {"\"1.5.5\" is an invalid float", 13, 36}},
      // Scaled out of the 32-bit range, in a file older than version 13.
      {Document(RelationElement("lt=-", "300000000;0"), "1", "12.9"),
       {"\"300000000\" is an invalid integer", 13, 37}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadFailureOf(c.document), c.expected) << c.document;
  }
}

}  // namespace

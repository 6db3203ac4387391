// Tests of class panels: stereotype, name line, colour lines and member sections.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ReaderTestSupport.h"

namespace {

using namespace reader_test;
using Lines = std::vector<std::string>;

PClassType ReadClass(const std::string& panel) {
  return ToClassType(OnlyElement(Document(ClassElement(panel))));
}

struct PanelCase {
  std::string panel;
  std::string expected;
  Lines members;
};

void ExpectPanels(const std::vector<PanelCase>& cases) {
  for (const PanelCase& c : cases) {
    const PClassType cls = ReadClass(c.panel);
    EXPECT_EQ(DescribeClass(cls), c.expected) << c.panel;
    EXPECT_EQ(DescribeMembers(cls), c.members) << c.panel;
  }
}

// The stereotype and the name line.
TEST(ClassPanel, StereotypeAndName) {
  ExpectPanels({
      {"Shape", "stereotype='' name='Shape' type=''", {}},
      {"&lt;&lt;interface&gt;&gt;\nDrawable", "stereotype='interface' name='Drawable' type=''", {}},
      {"&lt;&lt;interface&gt;&gt;  Drawable", "stereotype='interface' name='Drawable' type=''", {}},
      // A qualified name names the class after its last part, unless that is empty.
      {"&lt;&lt; fine_triangle &gt;&gt;\nmodule::SFC",
       "stereotype='fine_triangle' name='SFC' type=''",
       {}},
      {"a :: b::C : T", "stereotype='' name='C' type=': T'", {}},
      {"util::", "stereotype='' name='util::' type=''", {}},
      {"a::b ::", "stereotype='' name='a::b::' type=''", {}},
      {"Order: Persistent", "stereotype='' name='Order' type=': Persistent'", {}},
      {"Box&lt;T&gt;", "stereotype='' name='Box<T>' type=''", {}},
      {"", "stereotype='' name='' type=''", {}},
      // A leading empty line is skipped.
      {"\n\nEvents", "stereotype='' name='Events' type=''", {}},
      // A panel that starts with "--" has that line as its name and no members.
      {"--\nx", "stereotype='' name='--' type=''", {}},
  });
}

// Format marks must enclose the whole name line; "_" marks an object, not a class.
TEST(ClassPanel, FormatMarksOnTheNameLine) {
  ExpectPanels({
      {"/Shape/", "stereotype='' name='Shape' type=''", {}},
      {"_object: Class_", "stereotype='' name='object' type=': Class' underlined", {}},
      {"*_Name_*\n", "stereotype='' name='Name' type='' underlined", {}},
      {"*_Name*_", "stereotype='' name='*_Name*_' type=''", {}},
      // The mark before the panel's closing tag is the blank, so nothing is stripped.
      {"/Shape/ ", "stereotype='' name='/Shape/' type=''", {}},
  });
}

// Colour lines: one each before the stereotype, after it and after the name;
// in the member sections any number, wherever they stand.
TEST(ClassPanel, ColourLines) {
  ExpectPanels({
      {"bg=red\nfg=blue\nShape", "stereotype='' name='fg=blue' type=''", {}},
      {"bg=red\n&lt;&lt;entity&gt;&gt;\nfg=blue\nShape\nbg=green\n--\nx",
       "stereotype='entity' name='Shape' type=''",
       {"var ' ' 'x':''[]=''"}},
      {"Shape\n--\nbg=red\nfg=blue\na\nbg=#3c7a00\n--\nfg=black\nf()\nbg=red",
       "stereotype='' name='Shape' type=''",
       {"var ' ' 'a':''[]=''", "fun ' ' 'f':''()"}},
  });
}

// The first "--" section holds attributes, the second operations; later ones are ignored.
TEST(ClassPanel, MemberSections) {
  const std::string shape = "stereotype='' name='Shape' type=''";
  ExpectPanels({
      {"Shape\nx: Integer", shape, {}},
      {"Shape\n--\na", shape, {"var ' ' 'a':''[]=''"}},
      {"Shape\n--\n--\nf()", shape, {"fun ' ' 'f':''()"}},
      {"Shape\n--\na\n\n  b\n--\nf()\n\ng\n--\nthird\n--\nmore",
       shape,
       {"var ' ' 'a':''[]=''", "var ' ' 'b':''[]=''", "fun ' ' 'f':''()", "fun ' ' 'g':''()"}},
      // A member line that begins with "--" starts the next section.
      {"Shape\n--\na\n-- b\nc",
       shape,
       {"var ' ' 'a':''[]=''", "fun ' ' 'b':''()", "fun ' ' 'c':''()"}},
      {"Shape\n--\n\n\n--\n\n", shape, {}},
      {"Shape\n--\na</panel_attributes><panel_attributes>--\nb", shape, {"var ' ' 'a':''[]=''"}},
  });
}

// In a panel's only member section, lines written as operations are operations;
// with a second section every other line of the first is an attribute. The look for a
// second section crosses the scanner's read blocks.
TEST(ClassPanel, OperationsInTheOnlySection) {
  const std::string shape = "stereotype='' name='Shape' type=''";
  const std::string wide(100000, 'w');
  const std::string wideVar = "var ' ' '" + wide + "':''[]=''";
  ExpectPanels({
      {"Shape\n--\n+allows(String) : boolean\nx: Int\n/+draw()/\n_f(a = 1)_",
       shape,
       {"fun '+' 'allows':'boolean'('String':''[]='')", "var ' ' 'x':'Int'[]=''",
        "fun '+' abstract 'draw':''()", "fun ' ' static 'f':''('a':''[]='1')"}},
      {"Shape\n--\n- loja: C(j)\nx = f(1)\nT(a), P}",
       shape,
       {"var '-' 'loja':'C(j)'[]=''", "var ' ' 'x':''[]='f(1)'", "var ' ' 'T(a), P}':''[]=''"}},
      {"Shape\r\n--\r\nf(x)\r\n\r\n  --\r\ng()",
       shape,
       {"var ' ' 'f(x)':''[]=''", "fun ' ' 'g':''()"}},
      {"Shape\n--\nf()\n" + wide + "\n--\ng()",
       shape,
       {"var ' ' 'f()':''[]=''", wideVar, "fun ' ' 'g':''()"}},
      {"Shape\n--\nf()\n" + wide + "\ng()",
       shape,
       {"fun ' ' 'f':''()", wideVar, "fun ' ' 'g':''()"}},
      // A line that names a selector (keywords, or binary characters after the
      // visibility mark) is an operation in any section; other lines read as before.
      {"Shape\n--\n+printOn:(s: Stream)\n+=(o: Object): Boolean\n_-&lt;(x)_\n-(o)\n-x: y:(T)\n--",
       shape,
       {"fun '+' 'printOn:':''('s':'Stream'[]='')", "fun '+' '=':'Boolean'('o':'Object'[]='')",
        "fun '-' static '<':''('x':''[]='')", "var '-' '(o)':''[]=''", "var '-' 'x':'y:(T)'[]=''"}},
      {"Shape\n--\n+&lt;-(x)\n+-(x)\n--",
       shape,
       {"var '+' '<-(x)':''[]=''", "fun '+' '-':''('x':''[]='')"}},
  });
}

// Failures inside a class panel, with the line and position the driver prints.
TEST(ClassPanel, Errors) {
  struct Case {
    std::string document;
    ReadFailure expected;
  };
  const std::vector<Case> cases = {
      {Document(ClassElement("&lt;&lt;interface\nShape")), {"missing \"&gt;&gt;\"", 13, 1}},
      {Document(ClassElement("A &foo; B")), {"wrong entity in \"A &foo; B\"", 12, 32}},
      {Document(ClassElement("A > B")), {"\">\" mustnot occur in \"A > B\" xml PCData", 12, 28}},
      // A tag start in a member section that is not the panel's end.
      {Document(ClassElement("Shape\n--\na\n<b>x</b>")),
       {"missing \"</panel_attributes>\"", 15, 1}},
      {Document(ClassElement("Shape\n--\n--\nf()  <br/>")),
       {"missing \"</panel_attributes>\"", 15, 6}},
      // An unclosed parameter list on the last line runs past the panel's end.
      {Document(ClassElement("Shape\n--\n--\nf(a: Int[1")),
       {"missing \"</panel_attributes>\"", 16, 5}},
      // After a list that goes on over lines, on the line where the reading stopped.
      {Document(ClassElement("Shape\n--\nf(\n  a: &zz;)")), {"wrong entity in \"&zz;\"", 15, 10}},
      {"<diagram><element><id>UMLClass</id><coordinates></coordinates><panel_attributes>Shape\n"
       "--\na\n",
       {"end of file reached unexpectedly", 3, -2}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadFailureOf(c.document), c.expected) << c.document;
  }
}

}  // namespace

// Tests of member lines: attributes, operations, parameters and default values.
#include "reader/MemberLine.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ReaderTestSupport.h"
#include "model/ElemList.h"

namespace {

using namespace reader_test;
using Lines = std::vector<std::string>;

Lines Attributes(const std::string& lines) {
  return DescribeMembers(ToClassType(OnlyElement(Document(ClassElement("C\n--\n" + lines)))));
}

Lines Operations(const std::string& lines) {
  return DescribeMembers(ToClassType(OnlyElement(Document(ClassElement("C\n--\n--\n" + lines)))));
}

struct LineCase {
  std::string line;
  std::string expected;
};

// Markers, visibility, name, type and multiplicity of attribute lines.
TEST(MemberLine, AttributeDeclarations) {
  const std::vector<LineCase> cases = {
      {"count: Integer[0..1] = 5", "var ' ' 'count':'Integer'[0..1]='5'"},
      {"_+count: Integer[0..1] = 5_", "var '+' static 'count':'Integer'[0..1]='5'"},
      {"/count: Integer/", "var ' ' 'count':'Integer'[]=''"},
      {"*# total: Real*", "var '#' 'total':'Real'[]=''"},
      {"_/- both: Int/_", "var '-' static 'both':'Int'[]=''"},
      // Markers must enclose the visibility character.
      {"- _id : int_", "var '-' '_id':'int_'[]=''"},
      {"+ /mark: String", "var '+' '/mark':'String'[]=''"},
      {"x=5", "var ' ' 'x':''[]='5'"},
      {"x: T[1] junk = 7", "var ' ' 'x':'T'[1..1]='7'"},
      {"x: T[*]", "var ' ' 'x':'T'[0..n]=''"},
      {"x: List[0..1, 3..*]", "var ' ' 'x':'List'[0..1,3..n]=''"},
      {"&lt;x&gt;: Map&lt;K, V&gt;", "var ' ' '<x>':'Map<K, V>'[]=''"},
      {": T", "var ' ' '':'T'[]=''"},
      {"a b : c d", "var ' ' 'a b':'c d'[]=''"},
      // Property strings leave the line; braces nest, entities are decoded.
      {"s: String {NotBlank, Length(max = 100)}",
       "var ' ' 's':'String'[]='' '{NotBlank, Length(max = 100)}'"},
      {"p: P {a{b}c} = 2", "var ' ' 'p':'P'[]='2' '{a{b}c}'"},
      {"x: T {a &amp; b}", "var ' ' 'x':'T'[]='' '{a & b}'"},
      {"x{id}: T[1]", "var ' ' 'x':'T'[1..1]='' '{id}'"},
      // None opens the text, nor stands in quotes or parentheses.
      {"{x} a: T", "var ' ' '{x} a':'T'[]=''"},
      {"x: T = f({1})", "var ' ' 'x':'T'[]='f({1})'"},
      {"s: S = &quot;{a}&quot;", "var ' ' 's':'S'[]='\"{a}\"'"},
      // The panel's end ends one left open.
      {"x: T {open", "var ' ' 'x':'T'[]='' '{open'"},
  };
  for (const LineCase& c : cases) {
    EXPECT_EQ(Attributes(c.line), Lines{c.expected}) << c.line;
  }
}

// Default values keep quoted and parenthesised parts; every piece is trimmed.
TEST(MemberLine, DefaultValues) {
  const std::vector<LineCase> cases = {
      {"s: String = &quot;a(b&quot;", "var ' ' 's':'String'[]='\"a(b\"'"},
      {"f: F = f( a, b )", "var ' ' 'f':'F'[]='f(a, b)'"},
      {"q: S = &apos;it&quot;s&apos;", "var ' ' 'q':'S'[]=''it\"s''"},
      {"a: S = &quot;open", "var ' ' 'a':'S'[]='\"open'"},
      {"x: T = (a))b", "var ' ' 'x':'T'[]='(a))b'"},
      {"x: T = &quot;a&quot; + &apos;b&apos;", "var ' ' 'x':'T'[]='\"a\"+'b''"},
      {"x: T = ((1, 2), (3))", "var ' ' 'x':'T'[]='((1, 2),(3))'"},
      {"x: T = a &amp; b = c", "var ' ' 'x':'T'[]='a & b = c'"},
      {"y =", "var ' ' 'y':''[]=''"},
  };
  for (const LineCase& c : cases) {
    EXPECT_EQ(Attributes(c.line), Lines{c.expected}) << c.line;
  }
}

// Each attribute line is read on its own, whatever the line before left open.
TEST(MemberLine, AttributeLinesFollowEachOther) {
  EXPECT_EQ(Attributes("a: Int[2]\nname"),
            (Lines{"var ' ' 'a':'Int'[1..2]=''", "var ' ' 'name':''[]=''"}));
  EXPECT_EQ(Attributes("x: T[1\ny"), (Lines{"var ' ' 'x':'T'[1..1]=''", "var ' ' 'y':''[]=''"}));
  EXPECT_EQ(Attributes("s = &quot;a\nt = (b\nu"),
            (Lines{"var ' ' 's':''[]='\"a'", "var ' ' 't':''[]='(b'", "var ' ' 'u':''[]=''"}));
  // A property string goes on over the lines up to its brace; what follows
  // the brace stays on the line. A section mark or the panel's end before the
  // brace ends it.
  EXPECT_EQ(Attributes("c: S {p,\n\n   q} = 4\nnext"),
            (Lines{"var ' ' 'c':'S'[]='4' '{p, q}'", "var ' ' 'next':''[]=''"}));
  EXPECT_EQ(Attributes("c: S {p,\nq,\nr}"), (Lines{"var ' ' 'c':'S'[]='' '{p, q, r}'"}));
  EXPECT_EQ(Attributes("a: S {p,\n--\nop()"),
            (Lines{"var ' ' 'a':'S'[]='' '{p,'", "fun ' ' 'op':''()"}));
  EXPECT_EQ(Attributes("a: S {p,\nb: T"),
            (Lines{"var ' ' 'a':'S'[]='' '{p,'", "var ' ' 'b':'T'[]=''"}));
  // An unclosed multiplicity on the panel's last line leaves the closing tag alone.
  EXPECT_EQ(Attributes("x: T[0..1"), (Lines{"var ' ' 'x':'T'[0..1]=''"}));
  EXPECT_EQ(Attributes("x: T = v"), (Lines{"var ' ' 'x':'T'[]='v'"}));
}

// Equal member lines of a diagram share one member, so that a class of millions
// of equal lines, or the same lines in class after class, cost one member each;
// a line that differs in anything (multiplicity, property string, a parameter,
// the abstract marker) is a member of its own. The first and last are compared.
TEST(MemberLine, RepeatedLinesShareTheirMember) {
  const std::vector<std::pair<std::string, bool>> cases = {
      {"a\na", true},
      {"-a: T = 1\n- a : T = 1", true},
      {"a\n_a_", false},
      {"a\n-a", false},
      {"a: T\na: U", false},
      {"a = 1\na = 2", false},
      {"a: T[1]\na: T", false},
      {"a\nb", false},
      {"a\nb\na", true},
      {"a: T[1]\na: T[1]", true},
      {"a: T[1]\na: T[2]", false},
      {"a: T {x}\na: T {y}", false},
      {"--\n+f(x: T): R\n+g()\n+f(x: T): R", true},
      {"--\n+f(x: T)\n+f(x: U)", false},
      {"--\n+f(x: T)\n+f(x: T[*])", false},
      {"--\n+f(x: T)\n/+f(x: T)/", false},
      {"--\n+f(): T\n+f(): U", false},
      {"--\n+f(x: T)\n+f(x: T, y: T)", false},
  };
  for (const auto& [lines, shared] : cases) {
    const PClassType cls = ToClassType(OnlyElement(Document(ClassElement("C\n--\n" + lines))));
    const ElemList members = ::ElementsOf(cls->GetMembers());
    ASSERT_GE(members.size(), 2u) << lines;
    EXPECT_EQ(members[0]->GetSelf() == members[members.size() - 1]->GetSelf(), shared) << lines;
  }
}

// A line read before in another class ends where reading it ends: at the line's
// end, or at the panel's end tag on it, past the format marks.
TEST(MemberLine, RepeatedLinesEndWhereTheirReadingEnds) {
  const std::vector<std::pair<std::string, Lines>> cases = {
      {"-x: Int\n--\n_+f()_", {"var '-' 'x':'Int'[]=''", "fun '+' static 'f':''()"}},
      {"_-x: Int_", {"var '-' static 'x':'Int'[]=''"}},
      {"--\n/+f(a: T)/\n+g()", {"fun '+' abstract 'f':''('a':'T'[]='')", "fun '+' 'g':''()"}},
  };
  for (const auto& [lines, expected] : cases) {
    const PElemTable diagram =
        ReadDocument(Document(ClassElement("C\n--\n" + lines) + ClassElement("D\n--\n" + lines)));
    const std::vector<PElement> classes = reader_test::ElementsOf(diagram);
    ASSERT_EQ(classes.size(), 2u) << lines;
    EXPECT_EQ(DescribeMembers(ToClassType(classes[0])), expected) << lines;
    EXPECT_EQ(DescribeMembers(ToClassType(classes[1])), expected) << lines;
  }
}

// Operation lines: markers, name, parameters and return type.
TEST(MemberLine, OperationDeclarations) {
  const std::vector<LineCase> cases = {
      {"/-draw(canvas: Canvas, scale: Real = 1.0): Boolean/",
       "fun '-' abstract 'draw':'Boolean'('canvas':'Canvas'[]='', 'scale':'Real'[]='1.0')"},
      // The italics marker must be the line's last character.
      {"/-draw(canvas: Canvas)/: Boolean", "fun ' ' '/-draw':'Boolean'('canvas':'Canvas'[]='')"},
      {"+/getX(): String/", "fun '+' '/getX':'String/'()"},
      {"_+create(): Shape_", "fun '+' static 'create':'Shape'()"},
      {"_/#make()/_", "fun '#' static abstract 'make':''()"},
      {"f()", "fun ' ' 'f':''()"},
      {"f", "fun ' ' 'f':''()"},
      {"size: Integer", "fun ' ' 'size':'Integer'()"},
      {": T", "fun ' ' '':'T'()"},
      {"+ op (x: int)", "fun '+' 'op':''('x':'int'[]='')"},
      {"f(a) const: double;", "fun ' ' 'f':'double;'('a':''[]='')"},
      {"g(a = 1, b)", "fun ' ' 'g':''('a':''[]='1', 'b':''[]='')"},
      {"h(a: Int[0..*], b: Str[1] = 3)", "fun ' ' 'h':''('a':'Int'[0..n]='', 'b':'Str'[1..1]='3')"},
      {"f( )", "fun ' ' 'f':''('':''[]='')"},
      {"f(a,)", "fun ' ' 'f':''('a':''[]='', '':''[]='')"},
      {"f(s = &quot;x(y&quot;, t = (1))", "fun ' ' 'f':''('s':''[]='\"x(y\"', 't':''[]='(1')"},
      // Terminators end a value inside quotes and parentheses too.
      {"h(b = &quot;x,y&quot;)", "fun ' ' 'h':''('b':''[]='\"x', 'y\"':''[]='')"},
      {"k(x: Int = max(a, b)): R", "fun ' ' 'k':'R'('x':'Int'[]='max(a', 'b':''[]='')"},
      // Keywords before the "(" are the name; with a blank, or an empty keyword, the
      // name ends at the first ":" as before.
      {"+at:put:(index: Integer, v): Object",
       "fun '+' 'at:put:':'Object'('index':'Integer'[]='', 'v':''[]='')"},
      {"_/#é&amp;:x:()/_", "fun '#' static abstract 'é&:x:':''()"},
      {"+at: put:(i)", "fun '+' 'at':'put:(i)'()"},
      {"+at::(i)", "fun '+' 'at':':(i)'()"},
  };
  for (const LineCase& c : cases) {
    EXPECT_EQ(Operations(c.line), Lines{c.expected}) << c.line;
  }
}

// A list broken after "(" or "," goes on at the next line with text; after a
// parameter only a ")" that opens the next line closes it. Otherwise, and never
// into the panel's end or a section mark, the list ends at the line end.
TEST(MemberLine, ParameterListsOverSeveralLines) {
  const std::vector<std::pair<std::string, Lines>> cases = {
      {"update(\n\tname,\n\n  id: Int \n  ): Set&lt;Int&gt;\ng()",
       {"fun ' ' 'update':'Set<Int>'('name':''[]='', 'id':'Int'[]='')", "fun ' ' 'g':''()"}},
      {"init(self, \n  x: int = 0)", {"fun ' ' 'init':''('self':''[]='', 'x':'int'[]='0')"}},
      {"f(\r\n)\r\ng", {"fun ' ' 'f':''()", "fun ' ' 'g':''()"}},
      {"f(a = &quot;x\n): R", {"fun ' ' 'f':'R'('a':''[]='\"x')"}},
      {"f(a: Int\ng()", {"fun ' ' 'f':''('a':'Int'[]='')", "fun ' ' 'g':''()"}},
      {"f(a: Int[2\ng", {"fun ' ' 'f':''('a':'Int'[1..2]='')", "fun ' ' 'g':''()"}},
      {"f(a = &quot;x\ng(b = (1\nh",
       {"fun ' ' 'f':''('a':''[]='\"x')", "fun ' ' 'g':''('b':''[]='(1')", "fun ' ' 'h':''()"}},
      {"f(a,\n--\ng()", {"fun ' ' 'f':''('a':''[]='', '':''[]='')"}},
      {"f(a,\n", {"fun ' ' 'f':''('a':''[]='', '':''[]='')"}},
      // A line read the same twice is one whose reading looked at the lines after it.
      {"f(a: Int\ng()\nf(a: Int\n): R",
       {"fun ' ' 'f':''('a':'Int'[]='')", "fun ' ' 'g':''()", "fun ' ' 'f':'R'('a':'Int'[]='')"}},
      // Letters of several bytes before the break count as the bytes they are.
      {"créer(\n  nom,\n  été\n)", {"fun ' ' 'créer':''('nom':''[]='', 'été':''[]='')"}},
  };
  for (const auto& [lines, expected] : cases) {
    EXPECT_EQ(Operations(lines), expected) << lines;
  }
}

struct ValueCase {
  std::string text;
  ArrayOfString terminators;
  std::string expected;
  std::string rest;  // the line from the position where reading stopped
};

std::string RestOfLine(const Scanner& input) {
  return input.CurLine().substr(static_cast<size_t>(input.LinePos() - 1));
}

// Reading a value stops on its terminator without consuming it.
TEST(MemberLine, ReadValueTextStopsOnTerminator) {
  const ArrayOfString params = {",", ")"};
  const ArrayOfString line = {"<", "\r"};
  const std::vector<ValueCase> cases = {
      {"a(b, c), d", params, "a(b", ", c), d"},
      {"  x  (  y  )  z  <tail", line, "x(y)z", "<tail"},
      {"(a) ) b", params, "(a", ") ) b"},
      {"&quot;a)b&quot;, c", params, "\"a", ")b&quot;, c"},
      {"&apos;a&quot;b&apos; c<", line, "'a\"b'c", "<"},
      {"v  ", params, "v", ""},
  };
  for (const ValueCase& c : cases) {
    DiagramReader reader;
    OpenAt(reader, c.text);
    EXPECT_EQ(ReadValueText(reader.Input(), c.terminators), c.expected) << c.text;
    EXPECT_EQ(RestOfLine(reader.Input()), c.rest) << c.text;
    reader.CloseInput();
  }
}

// A declaration fills every field, and leaves the scanner on its terminator.
TEST(MemberLine, ReadVarDeclFields) {
  DiagramReader reader;
  OpenAt(reader, "n : T [0..1] x = v<rest");
  TVarDeclRec rec = ReadVarDecl(reader, {"<", "\r"});
  EXPECT_EQ(
      rec.Name + "|" + rec.TypeName + "|" + DescribeRanges(rec.Multiplicity) + "|" + rec.Default,
      "n|T|[0..1]|v");
  EXPECT_EQ(RestOfLine(reader.Input()), "<rest");
  reader.CloseInput();
  OpenAt(reader, "m, k");
  rec = ReadVarDecl(reader, {",", ")"});
  EXPECT_EQ(
      rec.Name + "|" + rec.TypeName + "|" + DescribeRanges(rec.Multiplicity) + "|" + rec.Default,
      "m||[]|");
  EXPECT_EQ(RestOfLine(reader.Input()), ", k");
  reader.CloseInput();
}

// The visibility character is consumed only when there is one.
TEST(MemberLine, ReadVisibility) {
  const std::vector<LineCase> cases = {
      {"+x", "+|x"}, {"-x", "-|x"}, {"#x", "#|x"}, {"~x", " |~x"}, {"\n  +x", "+|x"}};
  for (const LineCase& c : cases) {
    Scanner input;
    input.OpenInput(WriteTempFile(c.line));
    const char visibility = ReadVisibility(input);
    EXPECT_EQ(std::string(1, visibility) + "|" + RestOfLine(input), c.expected) << c.line;
    input.CloseInput();
  }
}

}  // namespace

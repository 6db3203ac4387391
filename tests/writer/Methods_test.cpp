// Argument names, accessors, initializer lines and operation stubs.
#include <utility>
#include <vector>

#include "WriterTestSupport.h"
#include "model/ElemList.h"
#include "writer/Accessors.h"
#include "writer/ClassText.h"
#include "writer/Hierarchy.h"
#include "writer/Initialize.h"
#include "writer/MandatoryValue.h"
#include "writer/Operations.h"
#include "writer/Relations.h"
#include "writer/Sections.h"

namespace {

using MethodsTest = WriterTest;

const std::string kHeader = std::string("!C methodsFor: 'p") + kStamp;

// Composes what the writing writes, given the sections, as methods for a class
// layout, in a protocol p.
template <class Writing>
void ComposeMethods(ClassLayout& layout, Writing writing) {
  Composer out;
  MethodSections methods(out);
  methods.ComposeMethodsOf(&layout);
  methods.BeginMethodGroup(false, "p");
  writing(methods);
  methods.EndMethod();
}

// The methods the writing composes in a protocol p of a class C, laid out.
template <class Writing>
std::string Methods(Writing writing) {
  StringSink out;
  ChunkLayout layout(out, "");
  layout.Definition({"C", "Object", {}, {}, {}});
  layout.Flush();
  out.text.clear();
  ComposeMethods(layout, writing);
  layout.Flush();
  return out.text;
}

// Each method in a section of its own: the header, an empty line, the method,
// " !" and an empty line.
std::string Sections(std::initializer_list<std::string> methods) {
  std::string text;
  for (const std::string& method : methods) text += kHeader + "\r\n\r\n" + method + " !\r\n\r\n";
  return text;
}

// "an" before vowels (Y included), aCollection for many, anObject for no type.
TEST_F(MethodsTest, ArgumentNames) {
  struct Case {
    std::string type;
    PElemTable multiplicity;
    std::string expected;
  };
  std::vector<Case> cases = {{"Integer", Mult({}), "anInteger"},
                             {"String", Mult({{"0", "1"}}), "aString"},
                             {"Year", Mult({}), "anYear"},
                             {"Object", Mult({}), "anObject"},
                             {"", Mult({}), "anObject"},
                             {"umbrella", Mult({}), "aumbrella"},
                             {"Item", Mult({{"0", "n"}}), "aCollection"},
                             {"Item", Mult({{"1", "5"}}), "aCollection"}};
  for (const Case& c : cases) {
    EXPECT_EQ(ArgumentName(c.type, c.multiplicity), c.expected) << c.type;
  }
}

// A setter unless many or read-only (the word readOnly in the property string),
// then the getter.
TEST_F(MethodsTest, AttributeAccessors) {
  PElemTable attributes = Table(
      {Attr("count", "Integer"), Attr("tags", "String", "+", false, Mult({{"0", "n"}})),
       Attr("any", ""), NewMemberVar(false, "+", "id", "", NoElements(), "", "{key, readOnly}"),
       NewMemberVar(false, "+", "x", "", NoElements(), "", "{readOnlyX, _readOnly}")});
  EXPECT_EQ(Methods([&](MethodSections& methods) {
              for (const PElement& attribute : ElementsOf(attributes))
                WriteAttributeAccessors(methods, attribute);
            }),
            Sections({"count: anInteger\r\n  count := anInteger!", "count\r\n  ^count!",
                      "tags\r\n  ^tags!", "any: anObject\r\n  any := anObject!", "any\r\n  ^any!",
                      "id\r\n  ^id!", "x: anObject\r\n  x := anObject!", "x\r\n  ^x!"}));
}

// Link accessors take their type from the head class and multiplicity.
TEST_F(MethodsTest, LinkAccessors) {
  Diagram diagram;
  PClassType order = diagram.AddClass("Order");
  PClassType customer = diagram.AddClass("Customer");
  diagram.Relate(customer, order, 1, 1);
  diagram.Relate(customer, order, 1, 2, '-', "orders")->SetMult2(Mult({{"0", "n"}}));
  diagram.Connect();
  EXPECT_EQ(Methods([&](MethodSections& methods) {
              for (const PElement& link : ElementsOf(LinkRelations(customer)))
                WriteLinkAccessors(methods, link);
            }),
            Sections({"order: anOrder\r\n  order := anOrder!", "order\r\n  ^order!",
                      "orders\r\n  ^orders!"}));
}

// Defaults that are Smalltalk code as written, collections, nil for optional,
// a value for mandatory; a comment with kind, type and multiplicity only when a
// type was written. A default in another syntax ends the comment after "= ",
// its double quotes and "!" doubled, and is the whole comment without a type.
TEST_F(MethodsTest, AttributeInitializers) {
  PElemTable attributes = Table({
      Attr("count", "Integer"),
      Attr("size", "integer", "-", false, Mult({{"1", "1"}})),
      Attr("maybe", "Integer", "#", false, Mult({{"0", "1"}})),
      Attr("all", "Integer", "+", false, Mult({{"0", "n"}})),
      Attr("start", "Integer", "+", false, Mult({{"1", "1"}}), "42"),
      Attr("greeting", "", "+", false, Mult({}), "'Hi!'"),
      Attr("thing", ""),
      Attr("point", "Point", "+", false, Mult({{"0", "1"}}), "\"text\""),
      Attr("other", "", "+", false, Mult({{"1", "1"}}), "a\"!b"),
  });
  PClassType cls = NewClassType();
  cls->SetName("C");
  const Hierarchy hierarchy(Table({cls}));
  MandatoryValues values(hierarchy);
  EXPECT_EQ(Captured([&](Composer& out) {
              WriteInitializers(out, values, cls,
                                MemberGroups(attributes)[MemberGroup::InstanceAttributes],
                                NoElements());
            }),
            "  count := nil \"optional Integer \".\r\n"
            "  size := 0 \"mandatory Integer \".\r\n"
            "  maybe := nil \"optional Integer [0..1]\".\r\n"
            "  all := \"default collection type\" OrderedCollection new \"Integer [*]\".\r\n"
            "  start := 42 \"Integer \".\r\n"
            "  greeting := 'Hi!!'.\r\n"
            "  thing := nil.\r\n"
            "  point := nil \"optional Point [0..1] = \"\"text\"\"\".\r\n"
            "  other := Object new \"= a\"\"!!b\".\r\n");
}

// The label's type text names the collection class of a link to many when it
// is an identifier; otherwise the comment names it. An external class is made
// as a class of Pharo is.
TEST_F(MethodsTest, LinkInitializers) {
  Diagram diagram;
  PClassType a = diagram.AddClass("A");
  PClassType b = diagram.AddClass("Item");
  diagram.Relate(a, b, 1, 2);
  diagram.Relate(a, b, 1, 2, '-', "one")->SetMult2(Mult({{"1", "1"}}));
  PRelType set = diagram.Relate(a, b, 1, 2, '-', "set");
  set->SetMult2(Mult({{"0", "n"}}));
  set->SetTypeName("Set!");
  PRelType list = diagram.Relate(a, b, 1, 2, '-', "list");
  list->SetMult2(Mult({{"0", "n"}}));
  list->SetTypeName("List<\"Item\">");
  diagram.Relate(a, b, 1, 1, '-', "all")->SetMult1(Mult({{"1", "n"}}));
  PClassType shop = diagram.AddClass("Shop");
  shop->SetStereotype("external");
  diagram.Relate(a, shop, 1, 2)->SetMult2(Mult({{"1", "1"}}));
  diagram.Connect();
  const Hierarchy hierarchy(diagram.classes);
  MandatoryValues values(hierarchy);
  EXPECT_EQ(Captured([&](Composer& out) {
              WriteInitializers(out, values, a,
                                MemberGroups(NoElements())[MemberGroup::InstanceAttributes],
                                LinkRelations(a));
            }),
            "  item := nil \"optional Item \".\r\n"
            "  one := Item new \"mandatory Item \".\r\n"
            "  set := \"default collection type\" OrderedCollection new \"Item [*] = Set!!\".\r\n"
            "  list := \"default collection type\" OrderedCollection new "
            "\"Item [*] = List<\"\"Item\"\">\".\r\n"
            "  all := \"default collection type\" OrderedCollection new \"Item [*]\".\r\n"
            "  shop := Shop new \"mandatory Shop \".\r\n");
}

// Selectors: the first keyword continues the name with a capital; argument
// names repeated within one selector are numbered; defaults become comments. A
// name may spell the selector itself.
TEST_F(MethodsTest, OperationStubs) {
  PElemTable operations = Table({
      Op("getArea"),
      Op("draw", Table({Param("canvas", "Canvas")}), "+", false, true),
      Op("moveBy", Table({Param("dx", "Integer"), Param("dy", "Integer")})),
      Op("put", Table({Param("x", "Integer2"), Param("y", "Integer"), Param("z", "Integer")})),
      Op("scale",
         Table({Param("f", "Real", Mult({}), "1.0!"), Param("all", "Item", Mult({{"0", "n"}}))})),
      Op("add", Table({Param("_item", ""), Param("Other", "")})),
      Op("fill", Table({Param("a", "Integer"), Param("b", "Integer"), Param("c", "Integer3"),
                        Param("d", "Integer")})),
      Op("again", Table({Param("x", "Integer"), Param("y", "Integer")})),
      // More arguments than the short list holds: the words given before keep counting.
      Op("many", Table({Param("a", "Integer2"), Param("b", "B"), Param("c", "C"), Param("d", "D"),
                        Param("e", "F"), Param("f", "G"), Param("g", "H"), Param("h", "J"),
                        Param("i", "Integer"), Param("j", "Integer")})),
      // Keywords take the parameters in order, anObject where they run out; those
      // beyond the keywords go on uncapitalised.
      Op("at:put:", Table({Param("index", "Object")})),
      Op("printOn:", Table({Param("aStream", "Stream"), Param("extra", "Integer", Mult({}), "1")})),
      Op("2nd:é:"),
      // A binary selector takes exactly one parameter.
      Op("=", Table({Param("other", "Object")})),
      Op("!", Table({Param("x", "", Mult({}), "0")})),
      Op("<", Table({Param("a", ""), Param("b", "")})),
      // An initialize without parameters, on either side, is plimko's own.
      Op("initialize"),
      Op("initialize", NewElemTable(), "-", true, true),
      Op("initialize", Table({Param("x", "")})),
  });
  EXPECT_EQ(
      Methods([&](MethodSections& methods) {
        StubWriter stubs(methods);
        for (const PElement& operation : ElementsOf(operations))
          stubs.WriteOperationStub(operation);
      }),
      Sections({"getArea\r\n  ^ self shouldBeImplemented!",
                "drawCanvas: aCanvas\r\n  ^ self subclassResponsibility!",
                "moveByDx: anInteger dy: anInteger2\r\n  ^ self shouldBeImplemented!",
                "putX: anInteger2 y: anInteger z: anInteger3\r\n  ^ self shouldBeImplemented!",
                "scaleF: aReal \"=1.0!!\" all: aCollection\r\n  ^ self shouldBeImplemented!",
                "add_item: anObject Other: anObject2\r\n  ^ self shouldBeImplemented!",
                "fillA: anInteger b: anInteger2 c: anInteger3 d: anInteger4\r\n"
                "  ^ self shouldBeImplemented!",
                "againX: anInteger y: anInteger2\r\n  ^ self shouldBeImplemented!",
                "manyA: anInteger2 b: aB c: aC d: aD e: aF f: aG g: aH h: aJ i: anInteger "
                "j: anInteger3\r\n  ^ self shouldBeImplemented!",
                "at: anObject put: anObject2\r\n  ^ self shouldBeImplemented!",
                "printOn: aStream extra: anInteger \"=1\"\r\n  ^ self shouldBeImplemented!",
                "v2nd: anObject e: anObject2\r\n  ^ self shouldBeImplemented!",
                "= anObject\r\n  ^ self shouldBeImplemented!",
                "!! anObject \"=0\"\r\n  ^ self shouldBeImplemented!",
                "_A: anObject b: anObject2\r\n  ^ self shouldBeImplemented!",
                "initializeX: anObject\r\n  ^ self shouldBeImplemented!"}));
}

// A selector with very many arguments of one type is numbered straight on,
// without searching the numbers already given for every argument.
TEST_F(MethodsTest, LongSelector) {
  PElemTable params = NewElemTable();
  std::string selector = "run";
  for (int i = 1; i <= 30000; ++i) {
    params->Add(Param("p", "Integer"));
    selector += std::string(i == 1 ? "P" : " p") + ": anInteger";
    if (i > 1) selector += std::to_string(i);
  }
  EXPECT_EQ(Methods([&](MethodSections& methods) {
              StubWriter(methods).WriteOperationStub(Op("run", params));
            }),
            Sections({selector + "\r\n  ^ self shouldBeImplemented!"}));
}

// The name of the operation, of a parameter or of its type fails.
TEST_F(MethodsTest, EmptyNamesStopTheStub) {
  const std::pair<PClassMember, std::string> kCases[] = {
      {Op("go", Table({Param("to", "Place"), Param(" ", "Place")})), "goTo: aPlace "},
      {Op("go", Table({Param("to", " ")})), "goTo: a"},
      {Op("go", Table({Param("to", "\x01", Mult({{"0", "n"}}))})), "goTo: a"},
      {Op(""), ""}};
  for (const auto& [operation, written] : kCases) {
    EXPECT_EQ(ErrorOf([&] {
                ClassText cls;
                ClassTextCollector collector(cls);
                ComposeMethods(collector, [&](MethodSections& methods) {
                  StubWriter(methods).WriteOperationStub(operation);
                });
              }),
              "name is empty")
        << written;
  }
}

}  // namespace

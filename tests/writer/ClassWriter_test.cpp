// Whole class texts: definition, comment, initialize and protocol sections.
#include <string>

#include "WriterTestSupport.h"
#include "writer/ClassWriter.h"

namespace {

// Expected output written readably: "\n" ends a line ("\r\n"), the two
// characters \t stand for a tab, $C for the stored comment text, $S for the stamp.
std::string Text(std::string text) {
  const std::pair<std::string, std::string> kPieces[] = {
      {"\n", "\r\n"},
      {"\\t", "\t"},
      {"$S", kStamp},
      {"$C",
       ".  The comment should state the purpose of the class and also explain any unobvious "
       "aspects of the implementation."},
      {"$I",
       "initialize\r\n  \"Initialize a newly created instance. This method must answer the "
       "receiver.\"\r\n  super initialize."}};
  for (const auto& [from, to] : kPieces) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
      text.replace(at, from.size(), to);
    }
  }
  return text;
}

class ClassWriterTest : public WriterTest {
 protected:
  static std::string Written(const PClassType& cls, const PElemTable& allClasses,
                             const std::string& category) {
    StringSink out;
    ChunkLayout layout(out, category);
    const Hierarchy hierarchy(allClasses);
    ClassWriter(hierarchy).WriteClass(cls, layout);
    layout.Flush();
    return out.text;
  }
};

// A class without variables: empty variable lists and comment groups, an
// initialize method, no accessing section.
TEST_F(ClassWriterTest, EmptyClass) {
  Diagram diagram;
  PClassType customer = diagram.AddClass("customer");
  diagram.Relate(diagram.AddClass("Order"), customer, 1, 2);
  diagram.Connect();
  EXPECT_EQ(Written(customer, diagram.classes, "shop"), Text(R"(Object subclass: #Customer
  instanceVariableNames: ''
  classVariableNames: ''
  poolDictionaries: ''
  category: 'shop'!

Customer comment:
'Customer$C

Instance Variables

Constraints
'!

!Customer methodsFor: 'initialize-release$S

$I
  ^self! !

)"));
  EXPECT_TRUE(customer->GetWritten());
}

// A comment and a method longer than the blocks in which the layout gets them
// arrive whole: nothing lost or repeated where one block ends and the next begins.
// The first name again at the end is still listed once among so many.
TEST_F(ClassWriterTest, PartsLongerThanABlockArriveWhole) {
  constexpr int kAttributes = 3000;  // about 90 KB of comment and 60 KB of initialize
  Diagram diagram;
  PClassType big = diagram.AddClass("Big");
  std::string names, comment, inits;
  for (int i = 0; i < kAttributes; ++i) {
    const std::string name = std::string("a").append(std::to_string(i));
    big->AddMember(Attr(name, "", "-", false, NewElemTable(), "'it!'"));
    names += name + " ";
    comment += "  " + name + "\\t = \"it!!\" Description...\n";
    inits += "  " + name + " := 'it!!'.\n";
  }
  big->AddMember(Attr("a0", "", "-", false, NewElemTable(), "'it!'"));
  comment += "  a0\\t = \"it!!\" Description...\n";
  inits += "  a0 := 'it!!'.\n";
  diagram.Connect();
  EXPECT_EQ(Written(big, diagram.classes, "shop"),
            Text("Object subclass: #Big\n  instanceVariableNames: '" + names +
                 "'\n  classVariableNames: ''\n  poolDictionaries: ''\n  category: 'shop'!\n\n"
                 "Big comment:\n'Big$C\n\nInstance Variables\n" +
                 comment + "\nConstraints\n'!\n\n!Big methodsFor: 'initialize-release$S\n\n$I\n" +
                 inits + "  ^self! !\n\n"));
}

// The first superclass declared, the others named in the comment (never the
// class itself), each variable listed once, class variables, all six operation
// sections, interface sections.
TEST_F(ClassWriterTest, EverySection) {
  Diagram diagram;
  PClassType figure = diagram.AddClass(
      "figure", {Attr("id", "Integer", "-"), Attr("count", "Integer", "+", true),
                 Attr("secret", "", "-", true), Attr("item", "Item", "#"), Op("area"),
                 Op("check", NewElemTable(), "#"), Op("fix", NewElemTable(), "-"),
                 Op("make", NewElemTable(), "+", true), Op("guard", NewElemTable(), "#", true),
                 Op("reset", NewElemTable(), "-", true), Op("area2", NewElemTable(), " ")});
  PClassType base = diagram.AddClass("Base");
  PClassType mixin = diagram.AddClass("Mixin");
  PClassType drawable =
      diagram.AddClass("Drawable", {Op("draw", Table({Param("on", "Canvas")}), "-", true),
                                    Op("size", NewElemTable(), "+", false, true)});
  drawable->SetStereotype("interface");
  PClassType empty = diagram.AddClass("Empty", {Attr("x", "")});
  empty->SetStereotype("interface");
  PClassType item = diagram.AddClass("Item");
  diagram.Relate(figure, base, 2, 2);
  diagram.Relate(figure, mixin, 2, 1);
  diagram.Relate(figure, figure, 2, 2);
  diagram.Relate(figure, drawable, 2, 2, '.');
  diagram.Relate(figure, empty, 2, 2, '.');
  diagram.Relate(figure, item, 1, 2)->SetMult2(Mult({{"0", "1"}}));
  diagram.Relate(figure, item, 0, 0);
  diagram.Connect();

  EXPECT_EQ(Written(figure, diagram.classes, "Bob's!"), Text(R"(Base subclass: #Figure
  instanceVariableNames: 'id item '
  classVariableNames: 'count secret '
  poolDictionaries: ''
  category: 'Bob''s!!'!

Figure comment:
'Figure$C

Instance Variables
  id\t Integer  Description...
  item\t Item  Description...
  item\tItem[0..1] constraint: single instance of this side of link. Description...

Class Variables
  count\t Integer  Description...
  secret\t Description...

Constraints
\t"#item navigates from: #Figure to: #Item"
\t"#item associates from: #Figure to: #Item"
\t"#Figure inherits also from: #Mixin"
'!

!Figure methodsFor: 'initialize-release$S

$I
  id := nil "optional Integer ".
  item := nil "optional Item ".
  item := nil "optional Item [0..1]".
  ^self! !

!Figure methodsFor: 'accessing$S

item: anItem
  item := anItem! !

!Figure methodsFor: 'accessing$S

item
  ^item! !

!Figure class methodsFor: 'accessing$S

count: anInteger
  count := anInteger! !

!Figure class methodsFor: 'accessing$S

count
  ^count! !

!Figure methodsFor: 'public$S

area
  ^ self shouldBeImplemented! !

!Figure methodsFor: 'public$S

area2
  ^ self shouldBeImplemented! !

!Figure methodsFor: 'protected$S

check
  ^ self shouldBeImplemented! !

!Figure methodsFor: 'private$S

fix
  ^ self shouldBeImplemented! !

!Figure class methodsFor: 'public$S

make
  ^ self shouldBeImplemented! !

!Figure class methodsFor: 'protected$S

guard
  ^ self shouldBeImplemented! !

!Figure class methodsFor: 'private$S

reset
  ^ self shouldBeImplemented! !

!Figure methodsFor: 'Drawable$S

drawOn: aCanvas
  ^ self shouldBeImplemented! !

!Figure methodsFor: 'Drawable$S

size
  ^ self subclassResponsibility! !

)"));
  // An interface gives no text of its own.
  EXPECT_EQ(Written(drawable, diagram.classes, "Bob's!"), "");
  EXPECT_TRUE(drawable->GetWritten());
}

// Redeclared collections and external classes give a note; "Interface" is no
// interface; private attributes alone give no accessing method, so no accessing
// section. An external class may be a superclass. An operation initialize() asks for plimko's
// initialize on its side: the class side has one with nothing to set, and no stub replaces either.
TEST_F(ClassWriterTest, SpecialClasses) {
  Diagram diagram;
  PClassType set = diagram.AddClass("Set", {Attr("x", "")});
  PClassType sub = diagram.AddClass("Sub", {Attr("hidden", "", "-")});
  sub->SetStereotype("Interface");
  diagram.Relate(sub, set, 2, 2);
  PClassType vendor = diagram.AddClass("vendor");
  vendor->SetStereotype("external");
  PClassType shop = diagram.AddClass(
      "Shop", {Op("initialize", NewElemTable(), "-", true), Op("initialize", NewElemTable(), "#")});
  diagram.Relate(shop, vendor, 2, 2);
  diagram.Connect();

  EXPECT_EQ(Written(set, diagram.classes, "c"),
            Text("\" NOTE: ### declaration of predefined collection class #Set is ignored ###\"\n"
                 "\n"));
  EXPECT_EQ(Written(sub, diagram.classes, "c"), Text(R"(Set subclass: #Sub
  instanceVariableNames: 'hidden '
  classVariableNames: ''
  poolDictionaries: ''
  category: 'c'!

Sub comment:
'Sub$C

Instance Variables
  hidden\t Description...

Constraints
'!

!Sub methodsFor: 'initialize-release$S

$I
  hidden := nil.
  ^self! !

)"));
  EXPECT_EQ(Written(vendor, diagram.classes, "c"),
            Text("\" NOTE: ### declaration of predefined class #Vendor is ignored ###\"\n\n"));
  EXPECT_EQ(Written(shop, diagram.classes, "c"), Text(R"(Vendor subclass: #Shop
  instanceVariableNames: ''
  classVariableNames: ''
  poolDictionaries: ''
  category: 'c'!

Shop comment:
'Shop$C

Instance Variables

Constraints
'!

!Shop methodsFor: 'initialize-release$S

$I
  ^self! !

!Shop class methodsFor: 'class initialization$S

initialize
  "Set the class variables to their initial values."
  ^self! !

)"));
}

// A name without letters stops the class text: nothing of it is laid out.
TEST_F(ClassWriterTest, UnusableNamesStopTheText) {
  Diagram diagram;
  PClassType nameless = diagram.AddClass(" ");
  PClassType typeless = diagram.AddClass("A", {Attr("x", "\x01")});
  diagram.Connect();
  const Hierarchy hierarchy(diagram.classes);
  EXPECT_EQ(ErrorOf([&] { ClassWriter(hierarchy).WriteClass(nameless); }), "name is empty");
  EXPECT_EQ(ErrorOf([&] { ClassWriter(hierarchy).WriteClass(typeless); }), "name is empty");
}

}  // namespace

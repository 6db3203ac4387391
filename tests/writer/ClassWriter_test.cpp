// Whole class texts: definition, comment, initialize and protocol sections.
#include <string>
#include <vector>

#include "WriterTestSupport.h"
#include "writer/ClassWriter.h"

namespace {

// The lines, each ended by "\r\n".
std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

const std::string kCommentLine =
    ".  The comment should state the purpose of the class and also explain any unobvious aspects "
    "of the implementation.";
const std::string kInitComment =
    "  \"Initialize a newly created instance. This method must answer the receiver.\"";

class ClassWriterTest : public WriterTest {
 protected:
  std::string Written(const PClassType& cls, const PElemTable& allClasses) {
    return Captured([&] { WriteClass(cls, allClasses); });
  }
};

// The example of one order that navigates to its customer.
TEST_F(ClassWriterTest, OrderAndCustomer) {
  SetCategoryName("shop");
  Diagram diagram;
  PClassType order = diagram.AddClass(
      "Order", {Attr("total", "Integer", "-"), Op("addItem", Table({Param("item", "Item")}))});
  PClassType customer = diagram.AddClass("Customer");
  diagram.Relate(order, customer, 1, 2)->SetMult2(Mult({{"0", "1"}}));
  diagram.Connect();

  EXPECT_EQ(Written(order, diagram.classes),
            Lines({"Object subclass: #Order",
                   "  instanceVariableNames: 'total customer '",
                   "  classVariableNames: ''",
                   "  poolDictionaries: ''",
                   "  category: 'shop'!",
                   "",
                   "Order comment:",
                   "'Order" + kCommentLine,
                   "",
                   "Instance Variables",
                   "  total\t Integer  Description...",
                   "  customer\tCustomer[0..1] constraint: single instance of this side of link. "
                   "Description...",
                   "",
                   "Constraints",
                   "\t\"#customer navigates from: #Order to: #Customer\"",
                   "'!",
                   "",
                   std::string("!Order methodsFor: 'initialize-release") + kStamp,
                   "",
                   "initialize",
                   kInitComment,
                   "  super initialize.",
                   "  total := nil \"optional Integer \".",
                   "  customer := nil \"optional Customer [0..1]\".",
                   "  ^self! !",
                   "",
                   std::string("!Order methodsFor: 'accessing") + kStamp,
                   "",
                   "customer: aCustomer",
                   "  customer := aCustomer!",
                   "",
                   "customer",
                   "  ^customer! !",
                   "",
                   std::string("!Order methodsFor: 'public") + kStamp,
                   "",
                   "addItemItem: anItem",
                   "  ^ self shouldBeImplemented! !",
                   ""}));
  EXPECT_TRUE(order->GetWritten());

  EXPECT_EQ(Written(customer, diagram.classes),
            Lines({"Object subclass: #Customer",
                   "  instanceVariableNames: ''",
                   "  classVariableNames: ''",
                   "  poolDictionaries: ''",
                   "  category: 'shop'!",
                   "",
                   "Customer comment:",
                   "'Customer" + kCommentLine,
                   "",
                   "Instance Variables",
                   "",
                   "Constraints",
                   "'!",
                   "",
                   std::string("!Customer methodsFor: 'initialize-release") + kStamp,
                   "",
                   "initialize",
                   kInitComment,
                   "  super initialize.",
                   "  ^self! !",
                   ""}));
}

// Superclasses back to back (never the class itself), each variable listed
// once, class variables, all six operation sections, interface sections.
TEST_F(ClassWriterTest, EverySection) {
  SetCategoryName("Bob's!");
  Diagram diagram;
  PClassType shape = diagram.AddClass(
      "shape", {Attr("id", "Integer", "-"), Attr("count", "Integer", "+", true),
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
  diagram.Relate(shape, base, 2, 2);
  diagram.Relate(shape, mixin, 2, 1);
  diagram.Relate(shape, shape, 2, 2);
  diagram.Relate(shape, drawable, 2, 2, '.');
  diagram.Relate(shape, empty, 2, 2, '.');
  diagram.Relate(shape, item, 1, 2);
  diagram.Relate(shape, item, 1, 2);
  diagram.Relate(shape, item, 0, 0);
  diagram.Connect();

  auto header = [](const std::string& piece) { return "!Shape" + piece + kStamp; };
  EXPECT_EQ(Written(shape, diagram.classes),
            Lines({"BaseMixin subclass: #Shape",
                   "  instanceVariableNames: 'id item '",
                   "  classVariableNames: 'count secret '",
                   "  poolDictionaries: ''",
                   "  category: 'Bob''s!!'!",
                   "",
                   "Shape comment:",
                   "'Shape" + kCommentLine,
                   "",
                   "Instance Variables",
                   "  id\t Integer  Description...",
                   "  item\t Item  Description...",
                   "  item\tItem constraint: single instance of this side of link. Description...",
                   "  item\tItem constraint: single instance of this side of link. Description...",
                   "",
                   "Class Variables",
                   "  count\t Integer  Description...",
                   "  secret\t Description...",
                   "",
                   "Constraints",
                   "\t\"#item navigates from: #Shape to: #Item\"",
                   "\t\"#item navigates from: #Shape to: #Item\"",
                   "\t\"#item associates from: #Shape to: #Item\"",
                   "'!",
                   "",
                   header(" methodsFor: 'initialize-release"),
                   "",
                   "initialize",
                   kInitComment,
                   "  super initialize.",
                   "  id := nil \"optional Integer \".",
                   "  item := nil \"optional Item \".",
                   "  item := nil \"optional Item \".",
                   "  item := nil \"optional Item \".",
                   "  ^self! !",
                   "",
                   header(" methodsFor: 'accessing"),
                   "",
                   "item: anItem",
                   "  item := anItem!",
                   "",
                   "item",
                   "  ^item!",
                   "",
                   "item: anItem",
                   "  item := anItem!",
                   "",
                   "item",
                   "  ^item! !",
                   "",
                   header(" class methodsFor: 'accessing"),
                   "",
                   "count: anInteger",
                   "  count := anInteger!",
                   "",
                   "count",
                   "  ^count! !",
                   "",
                   header(" methodsFor: 'public"),
                   "",
                   "area",
                   "  ^ self shouldBeImplemented!",
                   "",
                   "area2",
                   "  ^ self shouldBeImplemented! !",
                   "",
                   header(" methodsFor: 'protected"),
                   "",
                   "check",
                   "  ^ self shouldBeImplemented! !",
                   "",
                   header(" methodsFor: 'private"),
                   "",
                   "fix",
                   "  ^ self shouldBeImplemented! !",
                   "",
                   header(" class methodsFor: 'public"),
                   "",
                   "make",
                   "  ^ self shouldBeImplemented! !",
                   "",
                   header(" class methodsFor: 'protected"),
                   "",
                   "guard",
                   "  ^ self shouldBeImplemented! !",
                   "",
                   header(" class methodsFor: 'private"),
                   "",
                   "reset",
                   "  ^ self shouldBeImplemented! !",
                   "",
                   header(" methodsFor: 'Drawable"),
                   "",
                   "drawOn: aCanvas",
                   "  ^ self shouldBeImplemented!",
                   "",
                   "size",
                   "  ^ self subclassResponsibility! !",
                   ""}));
  // An interface gives no text of its own.
  EXPECT_EQ(Written(drawable, diagram.classes), "");
  EXPECT_TRUE(drawable->GetWritten());
}

// Redeclared collections give a note; "Interface" is no interface; private
// attributes alone still open an accessing section.
TEST_F(ClassWriterTest, SpecialClasses) {
  SetCategoryName("c");
  Diagram diagram;
  PClassType set = diagram.AddClass("Set", {Attr("x", "")});
  PClassType sub = diagram.AddClass("Sub", {Attr("hidden", "", "-")});
  sub->SetStereotype("Interface");
  diagram.Relate(sub, set, 2, 2);
  diagram.Connect();

  EXPECT_EQ(
      Written(set, diagram.classes),
      Lines({"\" NOTE: ### declaration of predefined collection class #Set is ignored ###\"", ""}));
  EXPECT_EQ(Written(sub, diagram.classes),
            Lines({"Set subclass: #Sub",
                   "  instanceVariableNames: 'hidden '",
                   "  classVariableNames: ''",
                   "  poolDictionaries: ''",
                   "  category: 'c'!",
                   "",
                   "Sub comment:",
                   "'Sub" + kCommentLine,
                   "",
                   "Instance Variables",
                   "  hidden\t Description...",
                   "",
                   "Constraints",
                   "'!",
                   "",
                   std::string("!Sub methodsFor: 'initialize-release") + kStamp,
                   "",
                   "initialize",
                   kInitComment,
                   "  super initialize.",
                   "  hidden := nil.",
                   "  ^self! !",
                   "",
                   std::string("!Sub methodsFor: 'accessing") + kStamp + " !",
                   ""}));
}

// A class without a usable name stops right where its name is written first.
TEST_F(ClassWriterTest, NamelessClassStopsAtItsName) {
  SetCategoryName("c");
  Diagram diagram;
  PClassType nameless = diagram.AddClass(" ");
  diagram.Connect();
  auto [message, text] = CapturedError([&] { WriteClass(nameless, diagram.classes); });
  EXPECT_EQ(message, "name is empty");
  EXPECT_EQ(text, "Object subclass: #");
}

}  // namespace

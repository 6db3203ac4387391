// Smalltalk names, link variable names and relation kind words.
#include <vector>

#include "WriterTestSupport.h"
#include "writer/Naming.h"
#include "writer/Relations.h"

namespace {

struct NameCase {
  std::string input;
  std::string expected;  // "!" followed by a message: the error it raises
};

template <class Naming>
void ExpectNames(Naming naming, const std::vector<NameCase>& cases) {
  for (const NameCase& c : cases) {
    std::string actual;
    try {
      actual = naming(c.input);
    } catch (const GenericError& error) {
      actual = std::string("!") + error.what();
    }
    EXPECT_EQ(actual, c.expected) << "input: [" << c.input << "]";
  }
}

PClassType Named(const std::string& name) {
  PClassType cls = NewClassType();
  cls->SetName(name);
  return cls;
}

// Class names: normalised, then the first character in upper case; a "V" in
// front of a name that would not start with an uppercase letter.
TEST(NamingTest, ClassNames) {
  ExpectNames([](const std::string& name) { return StClassName(Named(name)); },
              {{"order", "Order"},
               {"Order", "Order"},
               {"_base", "V_base"},
               {"my class", "MyClass"},
               {"2nd", "V2nd"},
               {"čas", "Cas"},
               {"a-b", "A_b"},
               {"заказ", "Заказ"},
               {"Πελάτης", "Πελάτης"},
               {"订单", "V订单"},
               {"ǆungla", "Ǆungla"},
               {"ŉ", "Vŉ"},
               {"٣x", "V_x"},
               {"", "!name is empty"},
               {"  \t", "!name is empty"}});
  EXPECT_EQ(StClassName(nullptr), "NO_ELEMENT");
}

// Type names: like class names, but the empty type is Object, and a qualified
// type names its last part unless that is blank.
TEST(NamingTest, TypeNames) {
  ExpectNames(StTypeName, {{"", "Object"},
                           {"integer", "Integer"},
                           {"String", "String"},
                           {"List<Item>", "List_Item_"},
                           {" ", "!name is empty"},
                           {"_t", "V_t"},
                           {"std::string", "String"},
                           {"a::b:: 3d", "V3d"},
                           {"db:: ", "Db__"},
                           {"::", "V__"},
                           {"список", "Список"},
                           {"db::订单", "V订单"}});
}

// Identifiers keep their case.
TEST(NamingTest, Identifiers) {
  ExpectNames(StIdentifier, {{"order", "order"},
                             {"Order", "Order"},
                             {"my var", "myVar"},
                             {"a - b", "a_B"},
                             {"2nd", "v2nd"},
                             {"_2", "_2"},
                             {"мой класс", "мойКласс"},
                             {"Заказ", "Заказ"},
                             {"\U0001F600 2", "_2"},
                             {"", "!name is empty"},
                             {"\r\n", "!name is empty"}});
}

// The link variable: label, else the head end's role, else the head class,
// else noNameLink; always with a lower-case first letter.
TEST(NamingTest, LinkNameFallbacks) {
  Diagram diagram;
  PClassType order = diagram.AddClass("Order");
  PClassType customer = diagram.AddClass("Customer");
  PClassType boss = diagram.AddClass("Big Boss");
  PClassType order2 = diagram.AddClass("Заказ");
  PClassType order3 = diagram.AddClass("订单");
  PRelType plain = diagram.Relate(order, customer, 1, 2);
  PRelType roled = diagram.Relate(order, customer, 1, 2);
  roled->SetRole1("seller");
  roled->SetRole2("buyer");
  PRelType labelled = diagram.Relate(order, customer, 1, 2, '-', "PlacedBy");
  labelled->SetRole2("buyer");
  PRelType backwards = diagram.Relate(order, customer, 1, 1);
  backwards->SetRole1("owner");
  backwards->SetRole2("ignored");
  PRelType loose = diagram.Relate(order, nullptr, 1, 2);
  PRelType toBoss = diagram.Relate(order, boss, 1, 2);
  PRelType blank = diagram.Relate(order, customer, 1, 2, '-', "  ");
  PRelType toOrder2 = diagram.Relate(order, order2, 1, 2);
  PRelType toOrder3 = diagram.Relate(order, order3, 1, 2);
  PRelType french = diagram.Relate(order, customer, 1, 2, '-', "Ça va");
  diagram.Connect();

  EXPECT_EQ(LinkName(plain), "customer");
  EXPECT_EQ(LinkName(roled), "buyer");
  EXPECT_EQ(LinkName(labelled), "placedBy");
  EXPECT_EQ(LinkName(backwards), "owner");
  EXPECT_EQ(LinkName(loose), "noNameLink");
  EXPECT_EQ(LinkName(toBoss), "bigBoss");
  EXPECT_EQ(LinkName(toOrder2), "заказ");
  EXPECT_EQ(LinkName(toOrder3), "订单");
  EXPECT_EQ(LinkName(french), "caVa");
  EXPECT_THROW(LinkName(blank), GenericError);
}

// One word per number of heads; more heads than four still compose.
TEST(NamingTest, KindWords) {
  std::vector<std::string> words;
  for (int32_t heads = -1; heads <= 6; ++heads) words.push_back(KindWords(heads));
  EXPECT_EQ(words, (std::vector<std::string>{"associates", "associates", "navigates", "inherits",
                                             "aggregates", "composes", "composes", "composes"}));
}

}  // namespace

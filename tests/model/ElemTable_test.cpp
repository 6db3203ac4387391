// Tests of the element table: order, filters, for-each argument order, errors.
#include "model/ElemTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/ElemType.h"
#include "model/Error.h"

namespace {

// Callbacks are plain functions, so they report what they saw through this trace.
std::vector<std::string> trace;

std::string NameOf(const PElement& element) {
  return element ? ToElemType(element)->GetName() : "(empty)";
}

PElement Named(const std::string& name) {
  PElemType element = NewElemType();
  element->SetName(name);
  return element;
}

std::vector<std::string> Names(const PElemTable& table) {
  trace.clear();
  table->ForEach([](const PElement& element) { trace.push_back(NameOf(element)); });
  return trace;
}

PElemTable TableOf(const std::vector<PElement>& elements) {
  PElemTable table = NewElemTable();
  for (const PElement& element : elements) table->Add(element);
  return table;
}

class ElemTableTest : public ::testing::Test {
 protected:
  void SetUp() override { trace.clear(); }
  PElement a_ = Named("A");
  PElement b_ = Named("B");
  PElement c_ = Named("C");
};

// An empty table reports itself empty and has no element to give.
TEST_F(ElemTableTest, EmptyTable) {
  PElemTable table = NewElemTable();
  EXPECT_TRUE(table->IsEmpty());
  EXPECT_EQ(table->Count(), 0);
  try {
    table->AnyOne();
    FAIL() << "AnyOne on an empty table must raise";
  } catch (const GenericError& error) {
    EXPECT_STREQ(error.what(), "AnyOne: ElemTable is empty");
  }
}

// Elements keep insertion order; duplicates stay, once per addition.
TEST_F(ElemTableTest, InsertionOrderAndDuplicates) {
  PElemTable table = TableOf({a_, b_, c_});
  EXPECT_FALSE(table->IsEmpty());
  EXPECT_EQ(table->Count(), 3);
  EXPECT_EQ(table->AnyOne(), a_);
  EXPECT_EQ(Names(table), (std::vector<std::string>{"A", "B", "C"}));

  PElemTable twice = TableOf({b_, b_});
  EXPECT_EQ(twice->Count(), 2);
  PElemTable filtered = twice->Filter([](const PElement&) { return true; });
  EXPECT_EQ(Names(filtered), (std::vector<std::string>{"B", "B"}));
}

// Filters build a new table in source order and leave the source alone.
TEST_F(ElemTableTest, FilterMakesNewTable) {
  PElemTable table = TableOf({a_, b_, c_});
  PElemTable none = table->Filter([](const PElement&) { return false; });
  ASSERT_NE(none, nullptr);
  EXPECT_TRUE(none->IsEmpty());
  EXPECT_NE(none, table);

  PElemTable notB = table->Filter([](const PElement& element) { return NameOf(element) != "B"; });
  EXPECT_EQ(Names(notB), (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(Names(table), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(notB->AnyOne(), a_);  // the same object, shared by both tables

  PElemTable fromEmpty = NewElemTable()->Filter([](const PElement&) { return true; });
  ASSERT_NE(fromEmpty, nullptr);
  EXPECT_TRUE(fromEmpty->IsEmpty());
}

// Every variant hands its extra arguments over in the documented order.
TEST_F(ElemTableTest, ArgumentOrder) {
  PElemTable table = TableOf({a_, b_});
  PElement x = Named("x");
  PElement y = Named("y");

  PElemTable withElem = table->FilterWithElem(x, [](const PElement& e, const PElement& arg) {
    trace.push_back(NameOf(e) + "," + NameOf(arg));
    return NameOf(e) == "B";
  });
  EXPECT_EQ(trace, (std::vector<std::string>{"A,x", "B,x"}));
  EXPECT_EQ(Names(withElem), (std::vector<std::string>{"B"}));

  trace.clear();
  PElemTable withElems =
      table->FilterWithElems(x, y, [](const PElement& e, const PElement& p, const PElement& q) {
        trace.push_back(NameOf(e) + "," + NameOf(p) + "," + NameOf(q));
        return NameOf(e) == "A";
      });
  EXPECT_EQ(trace, (std::vector<std::string>{"A,x,y", "B,x,y"}));
  EXPECT_EQ(Names(withElems), (std::vector<std::string>{"A"}));

  trace.clear();
  PElemTable argTable = TableOf({c_});
  PElemTable withTable =
      table->FilterWithTable(argTable, [](const PElement& e, const PElemTable& t) {
        trace.push_back(NameOf(e) + "," + NameOf(t->AnyOne()));
        return true;
      });
  EXPECT_EQ(trace, (std::vector<std::string>{"A,C", "B,C"}));
  EXPECT_EQ(Names(withTable), (std::vector<std::string>{"A", "B"}));

  trace.clear();
  table->ForEachWithTable(argTable, [](const PElement& e, const PElemTable& t) {
    trace.push_back(NameOf(e) + "," + NameOf(t->AnyOne()));
  });
  EXPECT_EQ(trace, (std::vector<std::string>{"A,C", "B,C"}));

  trace.clear();
  table->ForEachWithElem(x, [](const PElement& arg, const PElement& e) {
    trace.push_back(NameOf(arg) + "," + NameOf(e));
  });
  EXPECT_EQ(trace, (std::vector<std::string>{"x,A", "x,B"}));
}

// Each element is paired with its successor; the last with nothing.
TEST_F(ElemTableTest, ForEachWithNext) {
  auto record = [](const PElement& e, const PElement& next) {
    trace.push_back(NameOf(e) + "," + NameOf(next));
  };
  TableOf({a_, b_, c_})->ForEachWithNext(record);
  EXPECT_EQ(trace, (std::vector<std::string>{"A,B", "B,C", "C,(empty)"}));

  trace.clear();
  TableOf({a_})->ForEachWithNext(record);
  EXPECT_EQ(trace, (std::vector<std::string>{"A,(empty)"}));

  trace.clear();
  NewElemTable()->ForEachWithNext(record);
  EXPECT_TRUE(trace.empty());
}

// A walk over a table that its callback extends also visits the added elements.
TEST_F(ElemTableTest, CallbackAddsToWalkedTable) {
  PElemTable table = TableOf({a_, b_});
  table->ForEachWithTable(table, [](const PElement& e, const PElemTable& t) {
    trace.push_back(NameOf(e));
    if (NameOf(e) == "A") {
      for (int i = 0; i < 100; ++i) t->Add(Named("n"));  // forces reallocation
    }
  });
  ASSERT_EQ(trace.size(), 102u);
  EXPECT_EQ(trace[0], "A");
  EXPECT_EQ(trace[1], "B");
  EXPECT_EQ(trace[101], "n");
  EXPECT_EQ(table->Count(), 102);
}

// The extra argument stays the same for the whole walk, even when the callback drops
// the caller's reference to it.
PElement dropped;

TEST_F(ElemTableTest, ArgumentHeldForWholeWalk) {
  PElemTable table = TableOf({a_, b_});
  dropped = Named("x");
  table->ForEachWithElem(dropped, [](const PElement& arg, const PElement& e) {
    trace.push_back(NameOf(arg) + "," + NameOf(e));
    dropped.reset();
  });
  dropped = Named("y");
  table->FilterWithElem(dropped, [](const PElement& e, const PElement& arg) {
    trace.push_back(NameOf(e) + "," + NameOf(arg));
    dropped.reset();
    return true;
  });
  EXPECT_EQ(trace, (std::vector<std::string>{"x,A", "x,B", "A,y", "B,y"}));
}

// An error from a callback leaves the operation at once and unchanged.
TEST_F(ElemTableTest, CallbackErrorStopsWalk) {
  PElemTable table = TableOf({a_, b_, c_});
  auto failOnB = [](const PElement& e) {
    trace.push_back(NameOf(e));
    if (NameOf(e) == "B") throw GenericError("stop at B");
  };
  try {
    table->ForEach(failOnB);
    FAIL() << "the callback's error must propagate";
  } catch (const GenericError& error) {
    EXPECT_STREQ(error.what(), "stop at B");
  }
  EXPECT_EQ(trace, (std::vector<std::string>{"A", "B"}));
}

// A table keeps its elements alive and releases them with itself.
TEST_F(ElemTableTest, HoldsElementsAlive) {
  std::weak_ptr<IElement> watched;
  {
    PElemTable table = NewElemTable();
    {
      PElement element = Named("kept");
      watched = element;
      table->Add(element);
    }
    EXPECT_FALSE(watched.expired());
  }
  EXPECT_TRUE(watched.expired());
}

}  // namespace

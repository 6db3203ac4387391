// Tests of texts, lines and lists longer than the scanner's read block (64 KiB):
// they read as short ones do, and failures far into a line report their place.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ReaderTestSupport.h"

namespace {

using namespace reader_test;

std::string Repeated(const std::string& piece, int times, const std::string& separator = "") {
  std::string text;
  for (int i = 0; i < times; ++i) text += (i == 0 ? "" : separator) + piece;
  return text;
}

const std::string kWord(150000, 'w');

// A relation whose label lines, role and stereotype each span several blocks.
TEST(LongInput, RelationTextsSpanReadBlocks) {
  const std::string panel = "lt=&lt;&lt;-\nr1=" + kWord + "\n&lt;&lt;" + kWord + "&gt;&gt;\n" +
                            kWord + "\n" + kWord + "&gt;";
  EXPECT_EQ(DescribeRelation(ToRelType(OnlyElement(Document(RelationElement(panel))))),
            "style=- name=" + Quoted(kWord + kWord) + " stereotype=" + Quoted(kWord) +
                " head=2 dir=1 r1=" + Quoted(kWord));
}

// A class name of entities, and member lines with long lists of ranges and parameters.
TEST(LongInput, ClassLinesSpanReadBlocks) {
  const std::string panel = std::string("n") + Repeated("&lt;", 30000) + "\n--\na: T[" +
                            Repeated("1..2", 20000, ",") + "] = " + kWord + "\n--\nf(" +
                            Repeated("p: T", 20000, ", ") + "): R";
  const PClassType cls = ToClassType(OnlyElement(Document(ClassElement(panel))));
  EXPECT_EQ(cls->GetName(), "n" + std::string(30000, '<'));
  EXPECT_EQ(DescribeMembers(cls),
            (std::vector<std::string>{
                "var ' ' 'a':'T'[" + Repeated("1..2", 20000, ",") + "]=" + Quoted(kWord),
                "fun ' ' 'f':'R'(" + Repeated("'p':'T'[]=''", 20000, ", ") + ")"}));
}

// The panel text starts at line 12, position 23.
TEST(LongInput, FailuresFarIntoALineReportTheirPlace) {
  const std::string name(100000, 'x');
  EXPECT_EQ(ReadFailureOf(Document(ClassElement(name + "&zz;"))),
            (ReadFailure{"wrong entity in \"" + name + "&zz;\"", 12, 100027}));
  EXPECT_EQ(ReadFailureOf(Document(ClassElement(name + "\n--\n" + name + "<y"))),
            (ReadFailure{"missing \"</panel_attributes>\"", 14, 100001}));
}

}  // namespace

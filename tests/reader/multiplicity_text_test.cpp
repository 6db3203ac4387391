// Tests of the multiplicity text parser.
#include "reader/MultiplicityText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/Error.h"
#include "model/Multiplicity.h"
#include "support/TempFile.h"

namespace {

std::vector<std::string> trace;

// The ranges of a table written as "lower|upper" each.
std::vector<std::string> Ranges(const PElemTable& table) {
  trace.clear();
  table->ForEach([](const PElement& e) {
    PMultiplicity range = ToMultiplicity(e);
    trace.push_back(range->GetLower() + "|" + range->GetUpper());
  });
  return trace;
}

struct ParseCase {
  const char* line;                 // the first line of the input file
  std::vector<std::string> ranges;  // lower|upper of each range
  const char* delimiter;            // what stopped the text, left unconsumed
};

// Parses from the start of a file whose first line is the text.
class ParseMultiplicityTest : public ::testing::Test {
 protected:
  void TearDown() override { Close(); }
  void Open(const std::string& content) {
    Close();
    input.OpenInput(WriteTempFile(content));
    open_ = true;
  }
  void Close() {
    if (open_) input.CloseInput();
    open_ = false;
  }

  // Parses at the scanner's position, making the ranges on the heap.
  PElemTable Parse() { return ParseMultiplicity(input, HeapMemory()); }

  Scanner input;

 private:
  bool open_ = false;
};

TEST_F(ParseMultiplicityTest, Texts) {
  const std::vector<ParseCase> cases = {
      // The documented examples.
      {"*", {"0|n"}, "\r"},
      {"1", {"1|1"}, "\r"},
      {"5", {"1|5"}, "\r"},
      {"0..1", {"0|1"}, "\r"},
      {"1..*", {"1|n"}, "\r"},
      {"0..1,3..*", {"0|1", "3|n"}, "\r"},
      // A single value gets lower bound "1", even "0"; only "*" gets "0".
      {"0", {"1|0"}, "\r"},
      // Empty bounds stay empty.
      {"..4", {"|4"}, "\r"},
      {"", {"1|"}, "\r"},
      {"*..*", {"n|n"}, "\r"},
      // A comma after a single value belongs to the value.
      {"2..3,*", {"2|3", "0|n"}, "\r"},
      {"1,2", {"1|1,2"}, "\r"},
      {"1,2..3", {"1,2|3"}, "\r"},
      // Bounds are trimmed, and compared with "*" after entities are decoded.
      {" 2 .. * , 4 ", {"2|n", "1|4"}, "\r"},
      {"&#42;..&#42;", {"n|n"}, "\r"},
      // The text ends at a tag or at a closing bracket.
      {"0..1</panel_attributes>", {"0|1"}, "<"},
      {"1..*] = nil", {"1|n"}, "]"},
      {"3</x>", {"1|3"}, "<"},
      {"*]", {"0|n"}, "]"},
  };
  for (const ParseCase& c : cases) {
    Open(std::string(c.line) + "\nnext line\n");
    PElemTable ranges = Parse();
    EXPECT_EQ(Ranges(ranges), c.ranges) << c.line;
    EXPECT_EQ(input.LastDelimiterOrEmpty(), c.delimiter) << c.line;
    EXPECT_EQ(input.LineNo(), 1) << c.line;
  }
}

// The delimiter is left for the caller: the position stays on it.
TEST_F(ParseMultiplicityTest, StopsOnDelimiter) {
  Open("m2=0..1,2..5</panel_attributes>\n");
  input.CheckToken("m2=");
  PElemTable ranges = Parse();
  EXPECT_EQ(Ranges(ranges), (std::vector<std::string>{"0|1", "2|5"}));
  EXPECT_EQ(input.CurrentChar(), '<');
  EXPECT_EQ(input.LinePos(), 13);
  input.SkipDelim();
  EXPECT_EQ(input.CurrentChar(), '/');
}

// At the end of the line the virtual carriage return stops it; the next line is untouched.
TEST_F(ParseMultiplicityTest, EndOfLine) {
  Open("0..*\n1\n");
  EXPECT_EQ(Ranges(Parse()), (std::vector<std::string>{"0|n"}));
  EXPECT_EQ(input.CurrentChar(), '\r');
  input.SkipDelim();
  EXPECT_EQ(input.LineNo(), 2);
  EXPECT_EQ(Ranges(Parse()), (std::vector<std::string>{"1|1"}));
}

// Scanner errors pass through unchanged.
TEST_F(ParseMultiplicityTest, ScannerErrorsPropagate) {
  Open("");
  try {
    Parse();
    FAIL() << "parsing at the end of the file must raise";
  } catch (const PlimkoError& error) {
    EXPECT_STREQ(error.what(), "LookAheadFor reached end of file unexpectedly");
  }
  Open("1..a&bad;<\n");
  try {
    Parse();
    FAIL() << "a wrong entity must raise";
  } catch (const PlimkoError& error) {
    EXPECT_STREQ(error.what(), "wrong entity in \"a&bad;\"");
  }
}

}  // namespace

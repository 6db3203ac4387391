// Tests of the input scanner over real files.
#include "reader/scanner.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "model/Error.h"
#include "support/TempFile.h"

namespace {

const std::string kEof = "LookAheadFor reached end of file unexpectedly";
const std::string kEofBlank = "end of file reached unexpectedly";
const std::string kNoDelimiter = "LastDelimiter is empty";

void Open(::Scanner& in, const std::string& content) {
  in.OpenInput(WriteTempFile(content));
}

// The whole message of the GenericError that the action raises.
template <typename Action>
std::string ErrorOf(Action action) {
  try {
    action();
  } catch (const GenericError& error) {
    return error.Message();
  }
  return "no error";
}

// Line number and position as "line:pos".
std::string Where(const ::Scanner& in) {
  return std::to_string(in.LineNo()) + ":" + std::to_string(in.LinePos());
}

// Every line of the file, read by walking with NextChar.
std::vector<std::string> AllLines(::Scanner& in, const std::string& content) {
  Open(in, content);
  std::vector<std::string> lines;
  for (int32_t lineNo = 0; !in.AtEof(); in.NextChar()) {
    if (in.LineNo() != lineNo) lines.push_back(in.CurLine());
    lineNo = in.LineNo();
  }
  return lines;
}

// Moves to the start of the next line.
void ToNextLine(::Scanner& in) {
  in.ReadUntil("");
  in.SkipDelim();
}

std::string Markers(const FormatMarkerSet& set) {
  std::string marks;
  for (const char mark : std::string("*/_")) {
    if (set.Contains(mark)) marks += mark;
  }
  return marks;
}

// Holds the scanner under test.
class Scanner : public ::testing::Test {
 protected:
  void TearDown() override { in.CloseInput(); }

  ::Scanner in;
};

// Paths reach the file system as the bytes given; the messages show them as UTF-8
// text, each ill-formed piece as "?", and the system's reason. A directory is refused
// before any read, and a NUL would name another file.
TEST_F(Scanner, OpenFailsForMissingFileAndDirectory) {
  const std::string parent = MakeTempDir();
  const std::string dir = parent + "/Žluva\xFF";
  const std::string shownDir = parent + "/Žluva?";
  std::filesystem::create_directory(dir);
  EXPECT_EQ(ErrorOf([this, &dir] { in.OpenInput(dir + "/missing.uxf"); }),
            "cannot open \"" + shownDir + "/missing.uxf\": No such file or directory");
  EXPECT_EQ(ErrorOf([this, &dir] { in.OpenInput(dir); }),
            "cannot open \"" + shownDir + "\": Is a directory");
  EXPECT_EQ(ErrorOf([this, &dir] { in.OpenInput(dir + std::string("/a\0b", 4)); }),
            "cannot open \"" + shownDir + std::string("/a\0b", 4) + "\": Invalid argument");
  // A failed open leaves the scanner closed; nothing moves and nothing hangs.
  EXPECT_EQ(Where(in), "-1:-1");
  EXPECT_EQ(in.CurrentChar(), '\0');
  EXPECT_TRUE(in.SkipBlanks());
  EXPECT_EQ(ErrorOf([this] { in.LookAheadFor({"<"}); }), kEof);
}

TEST_F(Scanner, OpenHandsLongPathsWhole) {
  const std::string dir = MakeTempDir() + "/" + std::string(200, 'd');
  std::filesystem::create_directory(dir);
  const std::string path = dir + "/" + std::string(200, 'f') + ".uxf";
  std::filesystem::copy_file(WriteTempFile("long"), path);
  in.OpenInput(path);
  EXPECT_EQ(in.CurLine(), "long");
}

TEST_F(Scanner, EmptyFileIsAtEndAtOnce) {
  Open(in, "");
  EXPECT_TRUE(in.AtEof());
  EXPECT_EQ(Where(in), "0:-2");
  EXPECT_EQ(in.CurrentChar(), '\0');
  EXPECT_EQ(ErrorOf([this] { in.LookAheadFor({"<"}); }), kEof);
  EXPECT_EQ(ErrorOf([this] { in.SkipBlanksNotEof(); }), kEofBlank);
  EXPECT_EQ(ErrorOf([this] { in.CheckToken(""); }), kEofBlank);
  EXPECT_EQ(ErrorOf([this] { in.SkipToAny({"<"}); }), kEof);
  EXPECT_EQ(ErrorOf([this] { in.SkipDelim(); }), kNoDelimiter);
  EXPECT_EQ(in.NextChar(), '\0');
  EXPECT_EQ(Where(in), "0:-2");
}

// Line ends LF, CR and CR LF; the first Ctrl-Z ends the file.
TEST_F(Scanner, SplitsLinesAtEachKindOfLineEnd) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(AllLines(in, "a\nb"), (Lines{"a", "b"}));
  EXPECT_EQ(AllLines(in, "a\r\nb\r\n"), (Lines{"a", "b"}));
  EXPECT_EQ(AllLines(in, "a\rb\r"), (Lines{"a", "b"}));
  EXPECT_EQ(AllLines(in, "a\n\r\n\rb"), (Lines{"a", "", "", "b"}));
  EXPECT_EQ(AllLines(in, "a\r\r\n"), (Lines{"a", ""}));
  EXPECT_EQ(AllLines(in, "a\x1Ay\nc"), (Lines{"a"}));
  EXPECT_EQ(AllLines(in, "a\r\x1a\nb"), (Lines{"a"}));
  EXPECT_EQ(AllLines(in, "a\nb\r\nc\x1A\nd"), (Lines{"a", "b", "c"}));
  EXPECT_EQ(AllLines(in, "\x1Ay"), Lines{});
  EXPECT_EQ(AllLines(in, std::string("x\0y", 3)), (Lines{std::string("x\0y", 3)}));
  // At the end the line number stays on the last line read.
  EXPECT_EQ(Where(in), "1:-2");
  EXPECT_EQ(in.CurLine(), "");
}

// The file is read 64 KiB at a time: line ends, a CR LF pair and Ctrl-Z that
// fall on the border of two blocks, and lines longer than a block.
TEST_F(Scanner, SplitsLinesAcrossReadBlocks) {
  using Lines = std::vector<std::string>;
  const std::string block(65535, 'a');
  const std::string longLine(200000, 'l');
  EXPECT_EQ(AllLines(in, block + "\r\nb"), (Lines{block, "b"}));
  EXPECT_EQ(AllLines(in, block + "\r\r\nb"), (Lines{block, "", "b"}));
  EXPECT_EQ(AllLines(in, block + "\r"), Lines{block});
  EXPECT_EQ(AllLines(in, block + "x\x1Ay"), Lines{block + "x"});
  EXPECT_EQ(AllLines(in, block + "x\n\x1A"), Lines{block + "x"});
  EXPECT_EQ(AllLines(in, "s\n" + longLine + "\n" + longLine), (Lines{"s", longLine, longLine}));
  // A short line after a long one, and a line with a replaced piece after plain ones.
  EXPECT_EQ(AllLines(in, longLine + "\nab\nŽ\xFF\nc"), (Lines{longLine, "ab", "Ž?", "c"}));
}

// Each line keeps its characters; each ill-formed piece becomes one "?".
TEST_F(Scanner, KeepsWellFormedUtf8) {
  Open(in, "Žluty €中\xC3\n\xC0\xAF");
  EXPECT_EQ(in.CurLine(), "Žluty €中?");
  ToNextLine(in);
  EXPECT_EQ(in.CurLine(), "??");
}

// Positions count characters: every byte of a character is at its position.
TEST_F(Scanner, PositionsCountCharacters) {
  Open(in, "ab\xC5\xBD\xE4\xB8\xAD\xF0\x9F\x98\x80<x\xFFz\nŽ");
  EXPECT_EQ(in.CurLine(), "abŽ中😀<x?z");
  std::vector<int32_t> positions{in.LinePos()};
  while (in.LineNo() == 1) {
    in.NextChar();
    positions.push_back(in.LinePos());
  }
  EXPECT_EQ(positions, (std::vector<int32_t>{1, 2, 3, 3, 4, 4, 4, 5, 5, 5, 5, 6, 7, 8, 9, 10, 1}));
  EXPECT_EQ(in.ReadUntil(""), "Ž");
  EXPECT_EQ(Where(in), "2:2");
  Open(in, "Ж <a>");
  EXPECT_EQ(in.ReadUntil("<"), "Ж");
  EXPECT_EQ(Where(in), "1:3");
}

// Every line ends in one virtual carriage return, an empty line included.
TEST_F(Scanner, NextCharWalksThroughVirtualLineEnds) {
  Open(in, "ab\n\nc");
  std::string seen(1, in.CurrentChar());
  std::vector<std::string> places{Where(in)};
  while (!in.AtEof()) {
    seen += in.NextChar();
    places.push_back(Where(in));
  }
  EXPECT_EQ(seen, std::string("ab\r\rc\r\0", 7));
  EXPECT_EQ(places, (std::vector<std::string>{"1:1", "1:2", "1:3", "2:1", "3:1", "3:2", "3:-2"}));
}

// A NUL counts as blank, yet LookAheadFor takes it for the end of the file.
TEST_F(Scanner, SkipBlanksCrossesEmptyLinesAndStopsAtEnd) {
  Open(in, std::string(" \t\n\n  \0 x\n \n", 12));
  EXPECT_FALSE(in.SkipBlanks());
  EXPECT_EQ(Where(in), "3:5");
  in.NextChar();
  EXPECT_TRUE(in.SkipBlanks());
  EXPECT_EQ(Where(in), "4:-2");
  Open(in, std::string("a\0b", 3));
  in.NextChar();
  EXPECT_EQ(ErrorOf([this] { in.LookAheadFor({"b"}); }), kEof);
}

TEST_F(Scanner, LookAheadForPicksFirstTokenInListOrder) {
  struct Case {
    ArrayOfString tokens;
    int32_t index;
    std::string delimiter;
  };
  // The line is "<ab" followed by "c" on the next line; the position is at "<".
  const std::vector<Case> cases = {{{"<a", "<ab"}, 0, "<a"}, {{"<ab", "<a"}, 0, "<ab"},
                                   {{"x", "<ab"}, 1, "<ab"}, {{"x", "b"}, -1, ""},
                                   {{"<abc"}, -1, ""},       {{}, -1, ""},
                                   {{"<", ""}, 0, "<"}};
  Open(in, "<ab\nc");
  for (const auto& [tokens, index, delimiter] : cases) {
    EXPECT_EQ(in.LookAheadFor(tokens), index) << tokens.size();
    EXPECT_EQ(in.LastDelimiterOrEmpty(), delimiter);
    EXPECT_EQ(Where(in), "1:1");
  }
  const std::string emptyToken = "LookAheadFor is asked to search for EmptyStr";
  EXPECT_EQ(ErrorOf([this] { in.LookAheadFor({"x", ""}); }), emptyToken);
  in.ReadUntilChar('#');
  EXPECT_EQ(in.LookAheadFor({"<"}), -2);
  EXPECT_EQ(in.LastDelimiterOrEmpty(), "\r");
}

TEST_F(Scanner, ReadUntilStopsOnDelimiterWithoutConsumingIt) {
  Open(in, "  12 </x>\na = b, c\nrest of line  \nnext");
  EXPECT_EQ(in.ReadUntilChar('<'), "12");
  EXPECT_EQ(in.RequireLastDelimiter(), "<");
  EXPECT_EQ(Where(in), "1:6");
  EXPECT_EQ(in.ReadUntilChar('<'), "");  // already on the delimiter
  ToNextLine(in);
  EXPECT_EQ(in.ReadUntil("=,"), "a");
  EXPECT_EQ(in.RequireLastDelimiter(), "=");
  in.SkipDelim();
  EXPECT_EQ(in.ReadUntil("=,"), "b");
  EXPECT_EQ(in.RequireLastDelimiter(), ",");
  in.SkipDelim();
  EXPECT_EQ(in.ReadUntil("=,"), "c");
  EXPECT_EQ(in.RequireLastDelimiter(), "\r");
  EXPECT_EQ(Where(in), "2:9");
  in.SkipDelim();
  EXPECT_EQ(in.ReadUntilChar('<'), "rest of line");
  in.SkipDelim();
  EXPECT_EQ(Where(in), "4:1");
  // A NUL in the line is passed over like any byte that is not a stop.
  Open(in, std::string("p\0q<\n", 6));
  EXPECT_EQ(in.ReadUntilChar('<'), std::string("p\0q", 3));
  EXPECT_EQ(in.RequireLastDelimiter(), "<");
  // Skipping to the line's end passes a NUL too, and ends as in.ReadUntil("") does.
  Open(in, std::string("p\0q<\n", 5));
  in.SkipToLineEnd();
  EXPECT_EQ(Where(in), "1:5");
  EXPECT_EQ(in.RequireLastDelimiter(), "\r");
  in.SkipDelim();
  in.SkipToLineEnd();
  EXPECT_EQ(Where(in), "1:-2");
  EXPECT_EQ(in.LastDelimiterOrEmpty(), std::string(1, '\0'));
}

TEST_F(Scanner, ReadUntilAnyStopsAtTokenOrLineEnd) {
  Open(in, "name&gt;&gt;role&lt;\nab<\nx>");
  const ArrayOfString arrows = {"&gt;&gt;", "&gt;", "&lt;"};
  EXPECT_EQ(in.ReadUntilAny(arrows), "name");
  EXPECT_EQ(in.RequireLastDelimiter(), "&gt;&gt;");
  in.SkipDelim();
  EXPECT_EQ(Where(in), "1:13");
  EXPECT_EQ(in.ReadUntilAny(arrows), "role");
  EXPECT_EQ(in.RequireLastDelimiter(), "&lt;");
  in.SkipDelim();
  in.SkipDelim();  // the line end
  // A token never reaches across the line end.
  EXPECT_EQ(in.ReadUntilAny({"<x"}), "ab<");
  EXPECT_EQ(in.RequireLastDelimiter(), "\r");
  in.SkipDelim();
  EXPECT_EQ(Where(in), "3:1");
}

// Scans pass over many places at a time; they must stop exactly where a look
// at every single place would: at a token, a NUL, the line end, or anywhere
// when a token is empty.
TEST_F(Scanner, ScansStopWhereALookAtEachPlaceWould) {
  struct Case {
    std::string content;
    ArrayOfString tokens;
    bool skip;  // SkipToAny, else ReadUntilAny
    std::string result;
    std::string where;
  };
  const std::vector<Case> cases = {
      {"<<<<x<y", {"<y"}, false, "<<<<x", "1:6"},
      {"a<b<c<d", {"<d", "<c"}, false, "a<b", "1:4"},
      {"  ab  \nc", {"<"}, false, "ab", "1:7"},
      {"<<<<\n<<\n<<>", {"<>"}, true, "<>", "3:2"},
      {"ab", {"b", ""}, true, "LookAheadFor is asked to search for EmptyStr", "1:1"},
      {std::string("ab\0c", 4), {"c"}, false, kEof, "1:3"},
      {std::string("ab\n\0c", 5), {"c"}, true, kEof, "2:1"},
      {"abc", {"x", ""}, false, "LookAheadFor is asked to search for EmptyStr", "1:1"},
      {"abc", {"x"}, true, kEof, "1:-2"},
      // Tokens longer than a word: the bytes after their first eight decide.
      {"a <element_a <element_bc", {"<element_bx", "<element_b"}, false, "a <element_a", "1:14"},
  };
  for (const Case& c : cases) {
    Open(in, c.content);
    std::string result;
    const std::string error = ErrorOf([this, &c, &result] {
      result = c.skip ? in.SkipToAny(c.tokens) : in.ReadUntilAny(c.tokens);
    });
    EXPECT_EQ(error == "no error" ? result : error, c.result) << c.content;
    EXPECT_EQ(Where(in), c.where) << c.content;
  }
}

// Skipping blanks forgets the delimiter only when it moves, like NextChar.
TEST_F(Scanner, SkipBlanksForgetsTheDelimiterOnlyWhenItMoves) {
  Open(in, "a \n\n b");
  EXPECT_EQ(in.LookAheadFor({"a"}), 0);
  EXPECT_FALSE(in.SkipBlanks());
  EXPECT_EQ(in.LastDelimiterOrEmpty(), "a");
  in.SkipDelim();
  EXPECT_EQ(in.ReadUntilChar('x'), "");
  EXPECT_FALSE(in.SkipBlanks());
  EXPECT_EQ(in.LastDelimiterOrEmpty(), "");
  EXPECT_EQ(Where(in), "3:2");
}

TEST_F(Scanner, SkipDelimNeedsADelimiterAndKeepsEndOfFile) {
  Open(in, "ab");
  EXPECT_EQ(ErrorOf([this] { in.RequireLastDelimiter(); }), kNoDelimiter);
  EXPECT_EQ(in.LookAheadFor({"a"}), 0);
  in.NextChar();  // every move forgets the delimiter
  EXPECT_EQ(in.LastDelimiterOrEmpty(), "");
  EXPECT_EQ(ErrorOf([this] { in.SkipDelim(); }), kNoDelimiter);
  EXPECT_EQ(in.ReadUntilChar('<'), "b");
  in.SkipDelim();
  EXPECT_EQ(Where(in), "1:-2");
  EXPECT_EQ(ErrorOf([this] { in.SkipDelim(); }), kNoDelimiter);
  in.ReadUntilChar('<');
  EXPECT_EQ(in.LastDelimiterOrEmpty(), std::string(1, '\0'));
  in.SkipDelim();
  in.NextChar();
  EXPECT_EQ(Where(in), "1:-2");
}

TEST_F(Scanner, CheckTokenConsumesRequiredTokens) {
  Open(in, "\n  \n  <x>=\n y\n");
  in.CheckToken("<x>");
  EXPECT_EQ(Where(in), "3:6");
  in.CheckToken("=");
  EXPECT_EQ(Where(in), "3:7");
  EXPECT_EQ(ErrorOf([this] { in.CheckToken(""); }), "CheckToken: token must not be EmptyStr");
  EXPECT_EQ(ErrorOf([this] { in.CheckToken("z"); }), "missing \"z\"");
  EXPECT_EQ(ErrorOf([this] { in.CheckToken("yy"); }), "missing \"yy\"");
  EXPECT_EQ(Where(in), "4:2");
  in.CheckToken("y");
  EXPECT_EQ(ErrorOf([this] { in.CheckToken("y"); }), kEofBlank);
  // A token consumed, or found missing, leaves no delimiter for SkipDelim.
  Open(in, "<a><b>");
  EXPECT_EQ(in.LookAheadFor({"<a"}), 0);
  in.CheckToken("<a>");
  EXPECT_EQ(in.LastDelimiterOrEmpty(), "");
  EXPECT_EQ(in.LookAheadFor({"<b"}), 0);
  EXPECT_EQ(ErrorOf([this] { in.CheckToken("<c>"); }), "missing \"<c>\"");
  EXPECT_EQ(in.LastDelimiterOrEmpty(), "");
  EXPECT_EQ(Where(in), "1:4");
}

TEST_F(Scanner, SkipToAnyCrossesLinesAndSkipPastAnyConsumes) {
  Open(in, "junk <b\n<a>\n  <b>tail");
  EXPECT_EQ(in.SkipToAny({"<b>", "<a>"}), "<a>");
  EXPECT_EQ(Where(in), "2:1");
  EXPECT_EQ(in.SkipPastAny({"<b>"}), "<b>");
  EXPECT_EQ(Where(in), "3:6");
  EXPECT_EQ(ErrorOf([this] { in.SkipToAny({"<c>"}); }), kEof);
  EXPECT_EQ(Where(in), "3:-2");
}

TEST_F(Scanner, ReadFormatMarkersStripsSymmetricPairs) {
  struct Case {
    std::string line;
    int32_t start;
    std::string markers;
    std::string lineAfter;
    int32_t posAfter;
  };
  const std::vector<Case> cases = {{"*_Name_*", 1, "*_", "*_Name  ", 3},
                                   {"*_Name*_", 1, "", "*_Name*_", 1},
                                   {"/Shape/ ", 1, "", "/Shape/ ", 1},
                                   {"/Shape/", 1, "/", "/Shape ", 2},
                                   {"_a_</x>", 1, "_", "_a </x>", 2},
                                   {"*a* </x>", 1, "", "*a* </x>", 1},
                                   {"**", 1, "*", "* ", 2},
                                   {"*", 1, "", "*", 1},
                                   {"x */b/*", 3, "*/", "x */b  ", 5}};
  for (const auto& [line, start, markers, lineAfter, posAfter] : cases) {
    Open(in, line);
    while (in.LinePos() < start) in.NextChar();
    EXPECT_EQ(Markers(in.ReadFormatMarkers()), markers) << line;
    EXPECT_EQ(in.CurLine(), lineAfter);
    EXPECT_EQ(in.LinePos(), posAfter) << line;
  }
  Open(in, "");
  EXPECT_EQ(Markers(in.ReadFormatMarkers()), "");
}

TEST(DecodePCData, DecodesEntitiesInOnePass) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", ""},
      {"plain text", "plain text"},
      {"a &amp;&amp; b", "a && b"},
      {"&lt;&gt;&quot;&apos;", "<>\"'"},
      {"&amp;lt;", "&lt;"},
      {"&gxyz;b&lfoo;", ">b<"},
      // The rest of an entity's name is not looked at, whatever it holds.
      {"&gx>;", ">"},
      {"a&gtb c", "a>"},
      {"&am", "&"},
      {"&ap", "'"},
      {"&g", ">"},
      {"x&l", "x<"},
      {"&q", "\""},
      {"x&#65;y", "xAy"},
      {"&#x41;&#X41;&#$41;&#0x41;", "AAAA"},
      {"&#%1000001;&#&101;&# 65;&#+65;", "AAAA"},
      {"&#0;", std::string(1, '\0')},
      // Every code point gives its character; a number that names none gives "?".
      {"&#353;&#x20AC;&#160;&#128;", "š€\u00A0\u0080"},
      {"&#1046;&#x1F600;&#x10FFFF;", "Ж😀\U0010FFFF"},
      {"&#-1;&#xD800;&#xDFFF;&#x110000;&#x7FFFFFFF;", "?????"}};
  for (const auto& [text, expected] : cases) EXPECT_EQ(DecodePCData(text), expected) << text;
}

TEST(DecodePCData, RejectsForbiddenCharactersAndWrongEntities) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"a<b", "\"<\" mustnot occur in \"a<b\" xml PCData"},
      {"&amp; >", "\">\" mustnot occur in \"&amp; >\" xml PCData"},
      {"&zz<", "wrong entity in \"&zz<\""},
      {"<&zz", "\"<\" mustnot occur in \"<&zz\" xml PCData"},
      {"&nbsp;", "wrong entity in \"&nbsp;\""},
      {"x&", "wrong entity in \"x&\""},
      {"&a", "wrong entity in \"&a\""},
      {"&ax;", "wrong entity in \"&ax;\""},
      {"&#", "wrong entity in \"&#\""},
      {"&#65", "wrong entity in \"&#65\""},
      {"&#;", "wrong entity in \"&#;\""},
      {"& amp;", "wrong entity in \"& amp;\""},
      {"&#x;", "\"$\" is an invalid integer"},
      {"&#xZZ;", "\"$ZZ\" is an invalid integer"},
      {"&#6 5;", "\"6 5\" is an invalid integer"},
      {"&#99999999999;", "\"99999999999\" is an invalid integer"}};
  for (const auto& [text, message] : cases) {
    EXPECT_EQ(ErrorOf([&text] { DecodePCData(text); }), message) << text;
  }
}

TEST_F(Scanner, ReadPCDataDecodesTheTextRead) {
  Open(in, "  a&amp;b &lt;c&gt; </x>\nr&quot;&gt;s</y>\n&zz;<");
  EXPECT_EQ(in.ReadPCDataUntil("<"), "a&b <c>");
  EXPECT_EQ(in.RequireLastDelimiter(), "<");
  ToNextLine(in);
  EXPECT_EQ(in.ReadPCDataUntilAny({"&gt;", "</"}), "r\"");
  EXPECT_EQ(in.RequireLastDelimiter(), "&gt;");
  in.SkipDelim();
  EXPECT_EQ(in.ReadPCDataUntilAny({"&gt;", "</"}), "s");
  EXPECT_EQ(in.RequireLastDelimiter(), "</");
  ToNextLine(in);
  EXPECT_EQ(ErrorOf([this] { in.ReadPCDataUntil("<"); }), "wrong entity in \"&zz;\"");
}

TEST(ParseInteger, AcceptsEachNotation) {
  const std::vector<std::pair<std::string, int32_t>> cases = {
      {"0", 0},
      {"42", 42},
      {"999999999", 999999999},
      {"+42", 42},
      {"-42", -42},
      {" \t 7", 7},
      {"-0", 0},
      {"0000000000000000002147483647", INT32_MAX},
      {"-2147483648", INT32_MIN},
      {"$1F", 31},
      {"x1f", 31},
      {"X1F", 31},
      {"0x1F", 31},
      {"+0x10", 16},
      {"$7FFFFFFF", INT32_MAX},
      {"-$80000000", INT32_MIN},
      {"%101", 5},
      {"-%1", -1},
      {"&17", 15}};
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseInteger(text), value) << text;
}

TEST(ParseInteger, RejectsEverythingElse) {
  // Missing digits, foreign characters, wrong prefixes and values beyond 32 bits.
  const std::vector<std::string> texts = {
      "",           " ",           "-",         "+",         "$",
      "0x",         "0X1F",        "12 ",       "\n1",       "1.5",
      "2147483648", "-2147483649", "$FFFFFFFF", "$80000000", "%2",
      "&8",         "+-1",         "--1",       "$-1",       "0x-1",
      "1e3",        "12a",         "xg",        "0xx1",      std::string(10000, '9')};
  for (const auto& text : texts) {
    EXPECT_EQ(ErrorOf([&text] { ParseInteger(text); }), "\"" + text + "\" is an invalid integer");
  }
}

// Opening again starts afresh; closing keeps the position for error reports.
TEST_F(Scanner, ReopenResetsAndCloseKeepsState) {
  Open(in, "first\nsecond");
  in.NextChar();
  in.NextChar();
  in.NextChar();
  EXPECT_EQ(in.LookAheadFor({"s"}), 0);
  in.CloseInput();
  EXPECT_EQ(Where(in), "1:4");
  EXPECT_EQ(in.CurLine(), "first");
  in.CloseInput();
  Open(in, "other");
  EXPECT_EQ(Where(in), "1:1");
  EXPECT_EQ(in.LastDelimiterOrEmpty(), "");
  EXPECT_EQ(in.CurLine(), "other");
}

}  // namespace

// The driver as the user meets it: arguments, console reports and exit status.
#include "driver/Driver.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "driver/RunPlimko.h"
#include "support/TempFile.h"

namespace {

namespace fs = std::filesystem;

const std::string kEmptyDiagram = "<diagram program=\"umlet\"></diagram>\n";

// Directory, file and base names: both separators count, the base name ends at the first
// full stop.
TEST(DriverNames, FileAndBaseName) {
  struct Case {
    std::string path, directory, fileName, baseName;
  } cases[] = {
      {"shop.uxf", "", "shop.uxf", "shop"},
      {"C:\\work\\shop.model.uxf", "C:\\work\\", "shop.model.uxf", "shop"},
      {"/home/ann/diagrams/shop.uxf", "/home/ann/diagrams/", "shop.uxf", "shop"},
      {"/shop.uxf", "/", "shop.uxf", "shop"},
      {"a\\b/c\\d.uxf", "a\\b/c\\", "d.uxf", "d"},
      {"  dir/shop.uxf \t", "dir/", "shop.uxf", "shop"},
      {"dir/.hidden.uxf", "dir/", ".hidden.uxf", ""},
      {"dir/noext", "dir/", "noext", "noext"},
      {"dir/", "dir/", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DirectoryOf(c.path), c.directory) << c.path;
    EXPECT_EQ(FileNameOf(c.path), c.fileName) << c.path;
    EXPECT_EQ(BaseNameOf(c.path), c.baseName) << c.path;
  }
}

// --help and --version answer alone, with no banner and no wait, whatever follows them.
TEST(DriverConsole, HelpAndVersion) {
  const std::string help =
      "Usage: plimko DIAGRAM.uxf [OUTPUT-DIRECTORY]\n"
      "       plimko --help | --version\n"
      "\n"
      "Converts a UMLet class diagram into Pharo Smalltalk source in chunk format,\n"
      "OUTPUT-DIRECTORY/DIAGRAM.st, or DIAGRAM.st beside the diagram when no directory\n"
      "is given. An output file that would be the diagram itself is refused.\n"
      "\n"
      "  -h, --help     print this text\n"
      "  -V, --version  print the version\n"
      "\n"
      "Exit status: 0 when the output file was written, 1 after a reported failure.\n"
      "plimko waits for Enter before it ends when its input and output are a terminal.\n"
      "\n"
      "Environment:\n"
      "  PLIMKO_AUTHOR      the author named in method stamps (letters and digits)\n"
      "  SOURCE_DATE_EPOCH  seconds since 1970-01-01 UTC to stamp instead of the clock\n"
      "\n"
      "Manual: man plimko (in the source tree: man -l doc/plimko.1)\n";
  const std::string version = std::string("plimko ") + PLIMKO_VERSION + "\n";
  struct Case {
    std::vector<std::string> args;
    std::string console;
  } cases[] = {
      {{"--help"}, help},       {{"-h"}, help},    {{" --help\t", "out"}, help},
      {{"--version"}, version}, {{"-V"}, version}, {{"-V", "x.uxf", "out"}, version},
  };
  for (const Case& c : cases) {
    ProcessResult result = RunPlimko(c.args, MakeTempDir());
    ASSERT_TRUE(result.exited) << result.err;
    EXPECT_EQ(result.out, c.console) << c.args[0];
    EXPECT_EQ(result.exitStatus, 0);
  }
}

// Failures before reading: the error block, the usage line and the prompt.
TEST(DriverConsole, ArgumentAndOpenFailures) {
  std::string dir = MakeTempDir();
  fs::create_directory(dir + "/adir.uxf");
  struct Case {
    std::vector<std::string> args;
    std::string console;
  } cases[] = {
      {{}, FatalConsole("wrong number of parameters")},
      {{"shop.uxf"}, FatalConsole("cannot open \"shop.uxf\"")},
      {{"  missing.uxf \t", "out"}, FatalConsole("cannot open \"missing.uxf\"")},
      {{"adir.uxf", "out"}, FatalConsole("cannot open \"adir.uxf\"")},
      // Paths are shown as UTF-8 text, each ill-formed piece as "?".
      {{"Žluva\xFF.uxf", "out"}, FatalConsole("cannot open \"Žluva?.uxf\"")},
  };
  for (const Case& c : cases) {
    ProcessResult result = RunPlimko(c.args, dir);
    ASSERT_TRUE(result.exited) << result.err;
    EXPECT_EQ(result.out, c.console);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.err, "");
  }
}

// A read failure shows where the scanner stood; at end of file that is line 0, pos -2
// for an empty file.
TEST(DriverConsole, ReadFailureShowsPosition) {
  std::string dir = MakeTempDir();
  std::ofstream(dir + "/empty.uxf").close();
  std::ofstream(dir + "/bad.uxf") << "<diagram>\n<element><type>Class</type>\n"
                                     "<coordinates><x>1z</x>\n";
  struct Case {
    std::string file, console;
  } cases[] = {
      {"empty.uxf",
       "plimko running ...\n)-8 LookAheadFor reached end of file unexpectedly B-(\n\n"
       "line=0, pos=-2\nv\n\n\nPress Enter..."},
      {"bad.uxf",
       "plimko running ...\n)-8 wrong x coordinate B-(\n\n"
       "line=3, pos=19\n------------------v\n<coordinates><x>1z</x>\n\nPress Enter..."},
  };
  for (const Case& c : cases) {
    ProcessResult result = RunPlimko({c.file, "out"}, dir);
    ASSERT_TRUE(result.exited) << result.err;
    EXPECT_EQ(result.out, c.console) << c.file;
    EXPECT_EQ(result.exitStatus, 1);
  }
}

// Where the output goes: a separator is added, blanks are trimmed, an empty directory is
// the current one, extra arguments are ignored; a missing directory is a write failure.
// Without a directory the output goes beside the input.
TEST(DriverConsole, OutputDirectory) {
  struct Case {
    std::vector<std::string> args;
    std::string expectedFile;  // relative to the run's directory; empty when none
    std::string console;
  } cases[] = {
      {{"d.uxf", "out"}, "out/d.st", "plimko running ...\nDone. Press Enter..."},
      {{"d.uxf", " out/ ", "extra", "more"},
       "out/d.st",
       "plimko running ...\nDone. Press Enter..."},
      {{"d.uxf", "   "}, "d.st", "plimko running ...\nDone. Press Enter..."},
      {{" d.uxf "}, "d.st", "plimko running ...\nDone. Press Enter..."},
      {{"out/d.uxf"}, "out/d.st", "plimko running ...\nDone. Press Enter..."},
      {{"d.uxf", "missing"},
       "",
       "plimko running ...\n)-8 cannot open \"missing/d.st\" B-(\n\nPress Enter..."},
  };
  for (const Case& c : cases) {
    std::string dir = MakeTempDir();
    fs::create_directory(dir + "/out");
    std::ofstream(dir + "/d.uxf") << kEmptyDiagram;
    std::ofstream(dir + "/out/d.uxf") << kEmptyDiagram;
    ProcessResult result = RunPlimko(c.args, dir);
    ASSERT_TRUE(result.exited) << result.err;
    EXPECT_EQ(result.out, c.console);
    EXPECT_EQ(result.exitStatus, c.expectedFile.empty() ? 1 : 0);
    if (!c.expectedFile.empty()) {
      EXPECT_EQ(ReadWholeFile(dir + "/" + c.expectedFile),
                "\"This is " + c.expectedFile +
                    " import file generated from umlet by plimko utility.\"\r\n"
                    "\"Usage: drag this file with mouse and drop it into the Pharo window.\"\r\n"
                    "\r\n\r\n\r\n\"end of import file\"\r\n");
    }
  }
}

// The output file is never the input, whatever name or link reaches it; the input stays.
TEST(DriverConsole, RefusesToOverwriteTheInput) {
  enum Link { kNone, kHard, kSymbolic };
  struct Case {
    std::string file;  // the diagram
    Link link;
    std::string linkName;  // a link to the diagram
    std::vector<std::string> args;
    std::string shownInput;
  } cases[] = {
      {"shop.st", kNone, "", {"shop.st"}, "shop.st"},
      {"shop.st", kNone, "", {" shop.st", "out/.."}, "shop.st"},
      {"out/in.st", kHard, "in.uxf", {"in.uxf", "out"}, "in.uxf"},
      {"out/shop.st", kSymbolic, "shop.uxf", {"shop.uxf", "out"}, "shop.uxf"},
      {"shop.uxf", kSymbolic, "out/shop.st", {"shop.uxf", "out"}, "shop.uxf"},
  };
  for (const Case& c : cases) {
    const fs::path dir = MakeTempDir();
    fs::create_directory(dir / "out");
    std::ofstream(dir / c.file) << kEmptyDiagram;
    if (c.link == kHard) fs::create_hard_link(dir / c.file, dir / c.linkName);
    if (c.link == kSymbolic) fs::create_symlink(dir / c.file, dir / c.linkName);
    ProcessResult result = RunPlimko(c.args, dir);
    ASSERT_TRUE(result.exited) << result.err;
    EXPECT_EQ(result.out, "plimko running ...\n)-8 output file would overwrite the input \"" +
                              c.shownInput + "\" B-(\n\nPress Enter...");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(ReadWholeFile(dir / c.file), kEmptyDiagram) << c.file;
  }
}

// PLIMKO_AUTHOR signs the stamps with its ASCII letters and digits; without any, the default.
TEST(DriverConsole, StampAuthor) {
  const std::string shop = ReadWholeFile(E2E_DIR "/shop.st");
  struct Case {
    std::string value, author;
  } cases[] = {
      {"Ann", "Ann"},
      {"O'Brien \"Jr\"!", "OBrienJr"},
      {"\xC5\xBDofie2", "ofie2"},
      {"", "Tessaloom"},
      {"'!", "Tessaloom"},
  };
  for (const Case& c : cases) {
    const fs::path dir = MakeTempDir();
    fs::create_directory(dir / "out");
    fs::copy_file(fs::path(E2E_DIR) / "shop.uxf", dir / "shop.uxf");
    ProcessResult result =
        RunProcess(PLIMKO_EXE, {"shop.uxf", "out"}, dir,
                   {{"SOURCE_DATE_EPOCH", kFixedEpoch}, {"PLIMKO_AUTHOR", c.value}}, "", 120);
    ASSERT_TRUE(result.exited) << result.err;
    std::string expected = shop;
    for (size_t at = 0; (at = expected.find("'Tessaloom ", at)) != std::string::npos; ++at)
      expected.replace(at + 1, 9, c.author);
    EXPECT_EQ(ReadWholeFile(dir / "out/shop.st"), expected) << c.value;
  }
}

// The driver reads the answer to its prompt only when told that someone can give it.
TEST(DriverConsole, ReadsEnterOnlyWhenInteractive) {
  for (bool interactive : {false, true}) {
    std::istringstream in("\nnext");
    std::ostringstream out;
    EXPECT_EQ(RunDriver({}, in, out, interactive), 1);
    EXPECT_EQ(out.str(), FatalConsole("wrong number of parameters"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), interactive ? "next" : "\nnext");
  }
}

// A real run waits for Enter only when its input and its output are a terminal; the
// console text is the same either way.
TEST(DriverConsole, WaitsOnlyAtATerminal) {
  const std::string dir = MakeTempDir();
  std::ofstream(dir + "/d.uxf") << kEmptyDiagram;
  struct Case {
    std::vector<std::string> args;
    bool outputToTerminal;
    std::string console;
  } cases[] = {
      {{"d.uxf", "."}, false, "plimko running ...\nDone. Press Enter..."},
      {{"d.uxf", "."}, true, "plimko running ...\nDone. Press Enter..."},
      {{}, false, FatalConsole("wrong number of parameters")},
      {{}, true, FatalConsole("wrong number of parameters")},
  };
  for (const Case& c : cases) {
    std::optional<TerminalRun> run =
        RunOnTerminal(PLIMKO_EXE, c.args, dir, {{"SOURCE_DATE_EPOCH", kFixedEpoch}},
                      c.outputToTerminal, "Press Enter...");
    if (!run) GTEST_SKIP() << "no pseudo-terminal";
    ASSERT_TRUE(run->result.exited) << run->result.err;
    EXPECT_EQ(run->result.out, c.console);
    EXPECT_EQ(run->waitedForEnter, c.outputToTerminal);
    EXPECT_EQ(run->result.exitStatus, c.args.empty() ? 1 : 0);
  }
}

}  // namespace

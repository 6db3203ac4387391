// The driver as the user meets it: arguments, console reports and exit status.
#include "driver/Driver.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>

#include "driver/RunPlimko.h"
#include "support/TempFile.h"

namespace {

namespace fs = std::filesystem;

const std::string kEmptyDiagram = "<diagram program=\"umlet\"></diagram>\n";

// File and base names: both separators count, the base name ends at the first full stop.
TEST(DriverNames, FileAndBaseName) {
  struct Case {
    std::string path, fileName, baseName;
  } cases[] = {
      {"shop.uxf", "shop.uxf", "shop"},
      {"C:\\work\\shop.model.uxf", "shop.model.uxf", "shop"},
      {"/home/ann/diagrams/shop.uxf", "shop.uxf", "shop"},
      {"a\\b/c\\d.uxf", "d.uxf", "d"},
      {"  dir/shop.uxf \t", "shop.uxf", "shop"},
      {"dir/.hidden.uxf", ".hidden.uxf", ""},
      {"dir/noext", "noext", "noext"},
      {"dir/", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FileNameOf(c.path), c.fileName) << c.path;
    EXPECT_EQ(BaseNameOf(c.path), c.baseName) << c.path;
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
      {{"shop.uxf"}, FatalConsole("wrong number of parameters")},
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
      {{"d.uxf", "missing"},
       "",
       "plimko running ...\n)-8 cannot open \"missing/d.st\" B-(\n\nPress Enter..."},
  };
  for (const Case& c : cases) {
    std::string dir = MakeTempDir();
    fs::create_directory(dir + "/out");
    std::ofstream(dir + "/d.uxf") << kEmptyDiagram;
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

}  // namespace

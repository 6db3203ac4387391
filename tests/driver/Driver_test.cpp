// The driver as the user meets it: arguments, console reports on both streams, exit
// status, and the output file that appears whole or not at all.
#include "driver/Driver.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "driver/RunPlimko.h"
#include "support/BoundUser.h"
#include "support/TempFile.h"

namespace {

namespace fs = std::filesystem;

const std::string kEmptyDiagram = "<diagram program=\"umlet\"></diagram>\n";
// A diagram that fails while it is written: its member has a type and no name.
const std::string kNamelessMember =
    "<diagram program=\"umlet\"><element><id>UMLClass</id><coordinates><x>0</x><y>0</y>"
    "<w>100</w><h>50</h></coordinates><panel_attributes>Order\n--\n: Integer"
    "</panel_attributes></element></diagram>\n";
// A diagram of one class, Order.
const std::string kOneClass =
    "<diagram program=\"umlet\"><element><id>UMLClass</id><coordinates><x>0</x><y>0</y>"
    "<w>100</w><h>50</h></coordinates><panel_attributes>Order</panel_attributes></element>"
    "</diagram>\n";

// The whole output file of an empty diagram written to the path given.
std::string EmptyOutput(const std::string& shownPath) {
  return "\"This is " + shownPath +
         " import file generated from umlet by plimko utility.\"\r\n"
         "\"Usage: drag this file with mouse and drop it into the Pharo window.\"\r\n"
         "\r\n\r\n\r\n\"end of import file\"\r\n";
}

// Runs plimko in the directory and expects a failure with the report on standard error:
// the banner alone on standard output, status 1.
void ExpectFailedRun(const std::vector<std::string>& args, const fs::path& dir,
                     const std::string& report) {
  ProcessResult result = RunPlimko(args, dir);
  ASSERT_TRUE(result.exited) << result.err;
  EXPECT_EQ(result.out, kFailedConsole);
  EXPECT_EQ(result.err, report);
  EXPECT_EQ(result.exitStatus, 1);
}

// Directory, file and base names: both separators count, the base name ends before the
// last full stop unless that is the name's first character.
TEST(DriverNames, FileAndBaseName) {
  struct Case {
    std::string path, directory, fileName, baseName;
  } cases[] = {
      {"shop.uxf", "", "shop.uxf", "shop"},
      {"C:\\work\\shop.model.uxf", "C:\\work\\", "shop.model.uxf", "shop.model"},
      {"/home/ann/diagrams/shop.uxf", "/home/ann/diagrams/", "shop.uxf", "shop"},
      {"/shop.uxf", "/", "shop.uxf", "shop"},
      {"a\\b/c\\d.uxf", "a\\b/c\\", "d.uxf", "d"},
      {"  dir/shop.uxf \t", "dir/", "shop.uxf", "shop"},
      {"shop.v1.uxf", "", "shop.v1.uxf", "shop.v1"},
      {"dir.v2/shop", "dir.v2/", "shop", "shop"},
      {"dir/.hidden.uxf", "dir/", ".hidden.uxf", ".hidden"},
      {".hidden", "", ".hidden", ".hidden"},
      {"README", "", "README", "README"},
      {"shop.", "", "shop.", "shop"},
      {"dir/", "dir/", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DirectoryOf(c.path), c.directory) << c.path;
    EXPECT_EQ(FileNameOf(c.path), c.fileName) << c.path;
    EXPECT_EQ(BaseNameOf(c.path), c.baseName) << c.path;
  }
}

// --help and --version answer alone on standard output, with no banner and no wait.
TEST(DriverConsole, HelpAndVersion) {
  const std::string help =
      "Usage: plimko [-f FORMAT] [-p NAME] path/to/diagram.uxf [output/directory]\n"
      "       plimko -f tonel [-p NAME] path/to/diagram.uxf [source/directory]\n"
      "       plimko --from-code [-p NAME] path/to/diagram.uxf [source/directory]\n"
      "       plimko --help | --version\n"
      "\n"
      "Converts a UMLet class diagram into Pharo Smalltalk source in chunk format. The\n"
      "output file is named after the diagram's file name without its last extension,\n"
      "with .st (shop.v1.uxf gives shop.v1.st), in the output directory, or beside the\n"
      "diagram when no directory is given. It appears whole or not at all; an output\n"
      "file that would be the diagram itself is refused.\n"
      "\n"
      "With --format tonel, the output directory is a Tonel source directory: the\n"
      "classes go into the package NAME/ (NAME as above, every \".\" as \"-\"), a file per\n"
      "class, and a run into a package written before keeps every change made there\n"
      "since (the text plimko wrote last is kept in .plimko/NAME/ beside it).\n"
      "\n"
      "With --from-code, plimko goes the other way: it draws the diagram, which must not\n"
      "be there yet, from the classes of the package NAME/ in the source directory, and\n"
      "writes the copy in .plimko/NAME/ that a Tonel run from the diagram writes; the\n"
      "package itself is left as it is.\n"
      "\n"
      "  -f, --format FORMAT  chunk (the default) or tonel\n"
      "  --from-code          draw the diagram from the Tonel package\n"
      "  -p, --package NAME   the Tonel package, and the chunk file's class category\n"
      "  -h, --help           print this text\n"
      "  -V, --version        print the version\n"
      "  --                   end the options: a path after it may start with \"-\"\n"
      "  An option's value may also follow \"=\": --format=tonel, --package=NAME.\n"
      "\n"
      "Exit status: 0 when the output file was written, 1 after a failure, which is\n"
      "reported on standard error. plimko waits for Enter before it ends only on\n"
      "Windows, in a console window opened for it alone (a diagram dropped onto it).\n"
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
      {{"--help"}, help},
      {{"-h"}, help},
      {{" --help\t", "out"}, help},
      {{"x.uxf", "--help"}, help},
      {{"--version"}, version},
      {{"-V"}, version},
      {{"-V", "x.uxf", "out"}, version},
  };
  for (const Case& c : cases) {
    ProcessResult result = RunPlimko(c.args, MakeTempDir());
    ASSERT_TRUE(result.exited) << result.err;
    EXPECT_EQ(result.out, c.console) << c.args[0];
    EXPECT_EQ(result.err, "") << c.args[0];
    EXPECT_EQ(result.exitStatus, 0);
  }
}

// Failures before reading: the banner on standard output; the message and the usage
// line on standard error, where the report ends.
TEST(DriverConsole, ArgumentAndOpenFailures) {
  std::string dir = MakeTempDir();
  fs::create_directory(dir + "/adir.uxf");
  std::ofstream(dir + "/-odd.uxf") << kEmptyDiagram;
  struct Case {
    std::vector<std::string> args;
    std::string report;
  } cases[] = {
      {{}, FatalReport("wrong number of parameters")},
      {{"--"}, FatalReport("wrong number of parameters")},
      {{"shop.uxf"}, FatalReport("cannot open \"shop.uxf\": No such file or directory")},
      {{"  missing.uxf \t", "out"},
       FatalReport("cannot open \"missing.uxf\": No such file or directory")},
      {{"adir.uxf", "out"}, FatalReport("cannot open \"adir.uxf\": Is a directory")},
      {{"-", "out"}, FatalReport("cannot open \"-\": No such file or directory")},
      // Paths are shown as UTF-8 text, each ill-formed piece as "?".
      {{"Žluva\xFF.uxf", "out"},
       FatalReport("cannot open \"Žluva?.uxf\": No such file or directory")},
      {{"--bogus"}, FatalReport("unknown option \"--bogus\"")},
      {{"adir.uxf", "out", "--bogus"}, FatalReport("unknown option \"--bogus\"")},
      {{"--bogus", "--help"}, FatalReport("unknown option \"--bogus\"")},
      {{"-\xFF", "-V"}, FatalReport("unknown option \"-?\"")},
      {{"-odd.uxf", "out"}, FatalReport("unknown option \"-odd.uxf\"")},
      // A format is named by the argument after the option.
      {{"--format", "st", "adir.uxf"}, FatalReport("unknown format \"st\": use chunk or tonel")},
      {{"adir.uxf", "-f"}, FatalReport("unknown format \"\": use chunk or tonel")},
      {{"-f", "Tonel", "adir.uxf"}, FatalReport("unknown format \"Tonel\": use chunk or tonel")},
      {{"-f", "chunk", "adir.uxf"}, FatalReport("cannot open \"adir.uxf\": Is a directory")},
      {{"--format=tonel", "adir.uxf"}, FatalReport("cannot open \"adir.uxf\": Is a directory")},
      {{"--format=", "adir.uxf"}, FatalReport("unknown format \"\": use chunk or tonel")},
      {{"--formats", "adir.uxf"}, FatalReport("unknown option \"--formats\"")},
      // A package name must make a folder that Pharo reads; its blanks are its own.
      {{"--package=lib.v2", "adir.uxf"},
       FatalReport("bad package name \"lib.v2\": it holds \".\"")},
      {{"-p", "a/b", "adir.uxf"}, FatalReport("bad package name \"a/b\": it holds \"/\"")},
      {{"adir.uxf", "--package", "a\\b"},
       FatalReport("bad package name \"a\\b\": it holds \"\\\"")},
      {{"-p", "", "adir.uxf"}, FatalReport("bad package name \"\": it is empty")},
      {{"adir.uxf", "-p"}, FatalReport("bad package name \"\": it is empty")},
      {{"-p", " school", "adir.uxf"},
       FatalReport("bad package name \" school\": it begins or ends with a blank")},
      {{"--package=school ", "adir.uxf"},
       FatalReport("bad package name \"school \": it begins or ends with a blank")},
      {{"-p", "a\x1B[2Jb\xC2\x85", "adir.uxf"},
       FatalReport("bad package name \"a?[2Jb?\": it holds a control character")},
      // Drawing from code reads a Tonel package.
      {{"--from-code", "-f", "chunk", "adir.uxf"},
       FatalReport("--from-code reads a Tonel package: it takes no --format chunk")},
      {{"-f", "tonel", "bad .uxf"},
       FatalReport("bad package name \"bad \": it begins or ends with a blank; name the "
                   "package with --package")},
  };
  for (const Case& c : cases) ExpectFailedRun(c.args, dir, c.report);
  EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"-odd.uxf", "adir.uxf"}));
}

// Where the output goes: a separator is added, blanks are trimmed, an empty directory is
// the current one, extra arguments are ignored. Without a directory the output goes
// beside the input.
TEST(DriverConsole, OutputDirectory) {
  struct Case {
    std::vector<std::string> args;
    std::string expectedFile;  // relative to the run's directory
  } cases[] = {
      {{"d.uxf", "out"}, "out/d.st"}, {{"d.uxf", " out/ ", "extra", "more"}, "out/d.st"},
      {{"d.uxf", "   "}, "d.st"},     {{" d.uxf "}, "d.st"},
      {{"out/d.uxf"}, "out/d.st"},
  };
  for (const Case& c : cases) {
    std::string dir = MakeTempDir();
    fs::create_directory(dir + "/out");
    std::ofstream(dir + "/d.uxf") << kEmptyDiagram;
    std::ofstream(dir + "/out/d.uxf") << kEmptyDiagram;
    ProcessResult result = RunPlimko(c.args, dir);
    ASSERT_TRUE(result.exited) << result.err;
    EXPECT_EQ(result.out, kDoneConsole);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(ReadWholeFile(dir + "/" + c.expectedFile), EmptyOutput(c.expectedFile));
  }
}

// The output is named after the input's file name without its last extension, so that
// shop.v1 and shop.v2 never collide; the header and the category follow the name, unless
// --package names the category.
TEST(DriverConsole, OutputNames) {
  const std::string shop = ReadWholeFile(E2E_DIR "/shop.st");
  struct Case {
    std::string input;  // a copy of shop.uxf
    std::vector<std::string> args;
    std::string output;  // in out/
    std::string category;
  } cases[] = {
      {"shop.uxf", {"shop.uxf", "out"}, "shop", "shop"},
      {"shop.v1.uxf", {"shop.v1.uxf", "out"}, "shop.v1", "shop.v1"},
      {".hidden.uxf", {".hidden.uxf", "out"}, ".hidden", ".hidden"},
      {"README", {"README", "out"}, "README", "README"},
      {"shop.", {"shop.", "out"}, "shop", "shop"},
      {"-odd.uxf", {"--", "-odd.uxf", "out"}, "-odd", "-odd"},
      {"shop.v1.uxf", {"shop.v1.uxf", "--package=Store-Core", "out"}, "shop.v1", "Store-Core"},
  };
  for (const Case& c : cases) {
    const fs::path dir = MakeTempDir();
    fs::create_directory(dir / "out");
    fs::copy_file(fs::path(E2E_DIR) / "shop.uxf", dir / c.input);
    ProcessResult result = RunPlimko(c.args, dir);
    ASSERT_TRUE(result.exited) << result.err;
    EXPECT_EQ(result.out, kDoneConsole) << c.input;
    EXPECT_EQ(result.err, "") << c.input;
    std::string expected = shop;
    expected.replace(expected.find("out/shop.st"), 11, "out/" + c.output + ".st");
    for (size_t at = 0; (at = expected.find("category: 'shop'", at)) != std::string::npos; ++at)
      expected.replace(at + 11, 4, c.category);
    EXPECT_EQ(FilesIn(dir / "out"), std::vector<std::string>{c.output + ".st"}) << c.input;
    EXPECT_EQ(ReadWholeFile(dir / "out" / (c.output + ".st")), expected) << c.input;
  }
}

// A Tonel package is named by --package, or after the diagram with every "." as "-",
// since Pharo reads no package folder whose name holds a dot.
TEST(DriverConsole, TonelPackageNames) {
  struct Case {
    std::vector<std::string> args;
    std::string package;
  } cases[] = {
      {{"--format=tonel", "shop.v2.uxf", "out"}, "shop-v2"},
      {{"-f", "tonel", "-p", "Store-Core", "shop.v2.uxf", "out"}, "Store-Core"},
  };
  for (const Case& c : cases) {
    const fs::path dir = MakeTempDir();
    fs::create_directory(dir / "out");
    fs::copy_file(fs::path(E2E_DIR) / "shop.uxf", dir / "shop.v2.uxf");
    ProcessResult result = RunPlimko(c.args, dir);
    ASSERT_TRUE(result.exited) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(FilesIn(dir / "out" / c.package),
              (std::vector<std::string>{"Customer.class.st", "Order.class.st", "package.st"}));
    EXPECT_EQ(ReadWholeFile(dir / "out" / c.package / "package.st"),
              "Package { #name : '" + c.package + "' }\n");
    EXPECT_NE(ReadWholeFile(dir / "out" / c.package / "Order.class.st")
                  .find("\t#package : '" + c.package + "'\n"),
              std::string::npos);
  }
}

// A run that fails while writing leaves no output file and no temporary file, and an
// older output of the same name exactly as it was; an output that cannot be opened
// says why.
TEST(DriverConsole, WriteFailuresLeaveNothingHalfWritten) {
  struct Case {
    std::string diagram;
    std::string older;  // the content of an older out/d.st; empty for none
    bool folder;        // out/d.st is a folder
    std::vector<std::string> args;
    std::string report;
  } cases[] = {
      {kNamelessMember, "older output\r\n", false, {"d.uxf", "out"}, ")-8 name is empty B-(\n"},
      {kEmptyDiagram,
       "",
       true,
       {"d.uxf", "out"},
       ")-8 cannot open \"out/d.st\": Is a directory B-(\n"},
      {kEmptyDiagram,
       "",
       false,
       {"d.uxf", "missing"},
       ")-8 output directory \"missing\" does not exist B-(\n"},
      {kEmptyDiagram,
       "",
       false,
       {"-f", "tonel", "d.uxf", "d.uxf"},
       ")-8 output directory \"d.uxf\" does not exist B-(\n"},
      // A chunk file in a Tonel package folder would make Pharo refuse the package.
      {kEmptyDiagram,
       "",
       false,
       {"d.uxf", "out/pkg/"},
       ")-8 \"out/pkg/\" is a Tonel package folder: write the chunk file elsewhere, or use "
       "--format tonel with its parent B-(\n"},
      // A Tonel source directory asks for a package.
      {kEmptyDiagram,
       "",
       false,
       {"d.uxf", "repo"},
       ")-8 \"repo\" is a Tonel source directory: write the chunk file elsewhere, or use "
       "--format tonel B-(\n"},
      // Drawing from a package: a diagram that is there already, a package folder that is
      // not there or holds no class, a file that is no class file.
      {kEmptyDiagram,
       "",
       false,
       {"--from-code", "d.uxf", "out"},
       ")-8 the diagram \"d.uxf\" is there already: --from-code draws a new diagram only, "
       "and nothing was written B-(\n"},
      {kEmptyDiagram,
       "",
       false,
       {"--from-code", "new.uxf", "out"},
       ")-8 the package folder \"out/new\" does not exist B-(\n"},
      {kEmptyDiagram,
       "",
       false,
       {"--from-code", "-p", "pkg", "new.uxf", "out"},
       ")-8 the package folder \"out/pkg\" holds no class B-(\n"},
      {kEmptyDiagram,
       "",
       false,
       {"--from-code", "-p", "broken", "new.uxf", "repo"},
       ")-8 \"repo/broken/Order.class.st\" is not a Tonel class file: line 2: expected the "
       "definition: Class, Trait or Extension B-(\n"},
  };
  for (const Case& c : cases) {
    const fs::path dir = MakeTempDir();
    fs::create_directories(dir / "out/pkg");
    std::ofstream(dir / "out/pkg/package.st") << "Package { #name : 'pkg' }\n";
    fs::create_directory(dir / "repo");
    std::ofstream(dir / "repo/.properties") << "{\n\t#format : #tonel\n}";
    fs::create_directory(dir / "repo/broken");
    std::ofstream(dir / "repo/broken/Order.class.st") << "\nOrder {\n}\n";
    std::ofstream(dir / "d.uxf") << c.diagram;
    if (!c.older.empty()) std::ofstream(dir / "out/d.st", std::ios::binary) << c.older;
    if (c.folder) fs::create_directory(dir / "out/d.st");
    ExpectFailedRun(c.args, dir, c.report);
    const bool kept = !c.older.empty() || c.folder;
    const std::vector<std::string> left =
        kept ? std::vector<std::string>{"d.st", "pkg"} : std::vector<std::string>{"pkg"};
    EXPECT_EQ(FilesIn(dir / "out"), left);
    EXPECT_EQ(FilesIn(dir / "out/pkg"), std::vector<std::string>{"package.st"});
    EXPECT_EQ(FilesIn(dir / "repo"), (std::vector<std::string>{".properties", "broken"}));
    EXPECT_EQ(FilesIn(dir / "repo/broken"), std::vector<std::string>{"Order.class.st"});
    EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"d.uxf", "out", "repo"}));
    if (!c.older.empty()) {
      EXPECT_EQ(ReadWholeFile(dir / "out/d.st"), c.older);
    }
  }
}

// An input that may not be read, a folder that may not be written and an older output
// made read-only stop the run with the reason, before anything is written: the folder
// is named where it refuses a new file, the file where it may not be replaced.
TEST(DriverConsole, Permissions) {
  AsBoundUser([](const std::string& root) {
    if (access(PLIMKO_EXE, X_OK) != 0) GTEST_SKIP() << "plimko may not be run";
    const fs::path dir = root;
    fs::create_directories(dir / "locked");
    fs::create_directories(dir / "closed/one");
    fs::create_directories(dir / "out");
    std::ofstream(dir / "d.uxf") << kEmptyDiagram;
    std::ofstream(dir / "one.uxf") << kOneClass;
    std::ofstream(dir / "secret.uxf") << kEmptyDiagram;
    std::ofstream(dir / "out/d.st") << "protected";
    fs::permissions(dir / "secret.uxf", fs::perms::none);
    fs::permissions(dir / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    fs::permissions(dir / "closed", fs::perms::owner_read | fs::perms::owner_exec);
    fs::permissions(dir / "out/d.st", fs::perms::owner_read);
    struct Case {
      std::vector<std::string> args;
      std::string report;
    } cases[] = {
        {{"secret.uxf", "out"}, FatalReport("cannot open \"secret.uxf\": Permission denied")},
        {{"d.uxf", "locked"}, ")-8 cannot write in \"locked\": Permission denied B-(\n"},
        {{"d.uxf", "out"}, ")-8 cannot open \"out/d.st\": Permission denied B-(\n"},
        // The new package folder is made beside its place, in the source directory.
        {{"-f", "tonel", "one.uxf", "locked"},
         ")-8 cannot write in \"locked\": Permission denied B-(\n"},
        // The package folder takes the class, the source directory no .plimko folder.
        {{"-f", "tonel", "one.uxf", "closed"},
         ")-8 cannot write in \"closed\": Permission denied B-(\n"},
    };
    for (const Case& c : cases) ExpectFailedRun(c.args, dir, c.report);
    EXPECT_EQ(FilesIn(dir / "locked"), std::vector<std::string>{});
    EXPECT_EQ(FilesIn(dir / "closed"), std::vector<std::string>{"one"});
    EXPECT_EQ(FilesIn(dir / "closed/one"), std::vector<std::string>{});
    EXPECT_EQ(FilesIn(dir / "out"), std::vector<std::string>{"d.st"});
    EXPECT_EQ(ReadWholeFile(dir / "out/d.st"), "protected");
    fs::permissions(dir / "locked", fs::perms::owner_all);
    fs::permissions(dir / "closed", fs::perms::owner_all);
  });
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
    ExpectFailedRun(c.args, dir,
                    ")-8 output file would overwrite the input \"" + c.shownInput + "\" B-(\n");
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

// Told to wait, the driver ends the closing line and every report with a prompt (after
// an empty line, on standard output) and reads one line; otherwise it ends with the
// last line and reads nothing.
TEST(DriverConsole, PromptsOnlyWhenWaiting) {
  const std::string dir = MakeTempDir();
  std::ofstream(dir + "/d.uxf") << kEmptyDiagram;
  std::ofstream(dir + "/bad.uxf") << "<diagram>\n<zoom_level>x</zoom_level>\n";
  std::ofstream(dir + "/nameless.uxf") << kNamelessMember;
  struct Case {
    std::vector<std::string> args;
    bool wait;
    std::string out, err;
  } cases[] = {
      {{dir + "/d.uxf"}, false, kDoneConsole, ""},
      {{dir + "/d.uxf"}, true, "plimko running ...\nDone. Press Enter...", ""},
      {{}, false, kFailedConsole, FatalReport("wrong number of parameters")},
      {{}, true, kFailedConsole + "\nPress Enter...", FatalReport("wrong number of parameters")},
      {{dir + "/bad.uxf"},
       true,
       kFailedConsole + "\nPress Enter...",
       ")-8 wrong zoom level B-(\n\nline=2, pos=14\n-------------v\n<zoom_level>x</zoom_level>\n"},
      {{dir + "/nameless.uxf"},
       true,
       kFailedConsole + "\nPress Enter...",
       ")-8 name is empty B-(\n"},
  };
  for (const Case& c : cases) {
    std::istringstream in("\nnext");
    std::ostringstream out, err;
    RunModel model;
    EXPECT_EQ(RunDriver(c.args, in, out, err, c.wait, model), c.err.empty() ? 0 : 1);
    EXPECT_EQ(out.str(), c.out);
    EXPECT_EQ(err.str(), c.err);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), c.wait ? "next" : "\nnext");
  }
}

// On Linux a real run never waits for Enter, even with its input and output on a
// terminal: the terminal stays open after it.
TEST(DriverConsole, NeverWaitsAtATerminal) {
  const std::string dir = MakeTempDir();
  std::ofstream(dir + "/d.uxf") << kEmptyDiagram;
  struct Case {
    std::vector<std::string> args;
    bool outputToTerminal;
    std::string err;
  } cases[] = {
      {{"d.uxf", "."}, false, ""},
      {{"d.uxf", "."}, true, ""},
      {{}, false, FatalReport("wrong number of parameters")},
      {{}, true, FatalReport("wrong number of parameters")},
  };
  for (const Case& c : cases) {
    std::optional<TerminalRun> run =
        RunOnTerminal(PLIMKO_EXE, c.args, dir, {{"SOURCE_DATE_EPOCH", kFixedEpoch}},
                      c.outputToTerminal, "Press Enter...");
    if (!run) GTEST_SKIP() << "no pseudo-terminal";
    ASSERT_TRUE(run->result.exited) << run->result.err;
    EXPECT_FALSE(run->waitedForEnter);
    EXPECT_EQ(run->result.out, c.err.empty() ? kDoneConsole : kFailedConsole);
    EXPECT_EQ(run->result.err, c.err);
    EXPECT_EQ(run->result.exitStatus, c.err.empty() ? 0 : 1);
  }
}

}  // namespace
